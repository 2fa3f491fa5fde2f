# The command rules and the component list in the core; the main window, its dialogs and the
# close path offscreen.
add_core_test(window_rules_tests SOURCES CommandRulesTest.cpp WindowComponentsTest.cpp)

add_ui_test(window_tests SOURCES WindowTest.cpp SavePromptTest.cpp WindowTestMain.cpp
  WindowTestSupport.h)
kelvara_use_test_engines(window_tests)

# Not a test: saves a picture of the window (WindowScreenshot <program folder> <png>).
add_executable(window_screenshot WindowScreenshot.cpp)
target_link_libraries(window_screenshot PRIVATE kelvara::views)
