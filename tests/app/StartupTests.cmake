# Start-up state over program folders laid out by the tests, with the test engine libraries
# of tests/engines copied into their engine folders.
add_core_test(startup_tests SOURCES StartupStateTest.cpp LIBS ${CMAKE_DL_LIBS})
kelvara_use_test_engines(startup_tests)

# The built program started without a display, and with a platform chosen.
add_core_test(no_display_tests SOURCES NoDisplayTest.cpp)
add_dependencies(no_display_tests CustomDict)
target_compile_definitions(no_display_tests PRIVATE
  "KELVARA_CUSTOMDICT=\"$<TARGET_FILE:CustomDict>\"")
