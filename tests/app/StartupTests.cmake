# Start-up state over program folders laid out by the tests, with the test engine libraries
# of tests/engines copied into their engine folders.
add_core_test(startup_tests SOURCES StartupStateTest.cpp LIBS ${CMAKE_DL_LIBS})
kelvara_use_test_engines(startup_tests)
