# The main window, its dialogs and the close path offscreen.

# kelvara_window_test(name SOURCES... [LIBS ...]): a test of the main window on the fixture of
# WindowFixture.h, which lays out installations with the test engine libraries of
# tests/engines or with the reference engines.
function(kelvara_window_test name)
  add_ui_test(${name} ${ARGN})
  target_sources(${name} PRIVATE ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/WindowFixture.h)
  kelvara_use_test_engines(${name})
  add_dependencies(${name} Ecbank Hanbank)
  target_compile_definitions(${name} PRIVATE
    "KELVARA_EC_LIBRARY=\"$<TARGET_FILE:Ecbank>\""
    "KELVARA_CE_LIBRARY=\"$<TARGET_FILE:Hanbank>\"")
endfunction()

kelvara_window_test(window_tests SOURCES WindowLayoutTest.cpp WindowCloseTest.cpp
  SavePromptTest.cpp WindowDialogsTest.cpp CommandTableTest.cpp WindowDesktopTest.cpp)

# Not a test: saves a picture of the window or a dialog, to look at under xvfb-run
# (window_screenshot <program folder> <png> [open|prompt|about]).
add_executable(window_screenshot WindowScreenshot.cpp)
target_link_libraries(window_screenshot PRIVATE kelvara::views)

# Whole sessions through the main window and the reference engines, copied into a temporary
# installation.
kelvara_window_test(window_session_tests SOURCES WindowSessionTest.cpp
  WindowTextCommandsTest.cpp WindowClipboardTest.cpp WindowRestoreTest.cpp)

# The engine's locks on an open dictionary survive the window's file dialogs, with a second
# program writing the same dictionary.
add_executable(ec_second_process EcSecondProcess.cpp)
target_include_directories(ec_second_process PRIVATE ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(ec_second_process PRIVATE ${CMAKE_DL_LIBS})
kelvara_window_test(window_lock_tests SOURCES WindowLockTest.cpp LIBS ${CMAKE_DL_LIBS})
add_dependencies(window_lock_tests ec_second_process)
target_compile_definitions(window_lock_tests PRIVATE
  "KELVARA_EC_SECOND_PROCESS=\"$<TARGET_FILE:ec_second_process>\"")

# The drop-down and the save prompt's bitmap buttons in their live states, at 1x and on a
# screen scaled 2x.
kelvara_window_test(window_live_state_tests SOURCES WindowLiveStatesTest.cpp)
kelvara_window_test(window_live_state_2x_tests SOURCES WindowLiveStatesTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../flatmenu/ScreenScale2x.cpp)
