# The command rules and the component list in the core; the main window, its dialogs and the
# close path offscreen.
add_core_test(window_rules_tests SOURCES CommandRulesTest.cpp WindowComponentsTest.cpp)

add_ui_test(window_tests SOURCES WindowLayoutTest.cpp WindowCloseTest.cpp SavePromptTest.cpp
  WindowTestMain.cpp WindowFixture.h WindowTestSupport.h)
kelvara_use_test_engines(window_tests)

# Not a test: saves a picture of the window or a dialog, to look at under xvfb-run
# (window_screenshot <program folder> <png> [open|prompt|about]).
add_executable(window_screenshot WindowScreenshot.cpp)
target_link_libraries(window_screenshot PRIVATE kelvara::views)
