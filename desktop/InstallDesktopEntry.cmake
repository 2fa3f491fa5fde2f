# Run by `cmake --install`: writes the desktop entry with Exec and TryExec naming the program
# installed under this prefix, and installs it. Expects KELVARA_DESKTOP_TEMPLATE,
# KELVARA_DESKTOP_WORK_DIR, KELVARA_DESKTOP_DATA_DIR and KELVARA_APP_ID.

get_filename_component(_prefix "${CMAKE_INSTALL_PREFIX}" ABSOLUTE)
set(_program "${_prefix}/CustomDict")
if(_program MATCHES "[\n\r]")
  message(FATAL_ERROR "A desktop entry cannot name a program whose path holds a line break: ${_program}")
endif()

# A string value of a desktop entry escapes its backslashes.
function(kelvara_desktop_string out value)
  string(REPLACE "\\" "\\\\" value "${value}")
  string(REPLACE "\t" "\\t" value "${value}")
  set(${out} "${value}" PARENT_SCOPE)
endfunction()

# Exec is a command line: an argument holding a reserved character is quoted (with ", `, $ and
# \ escaped inside the quotes), and a % is doubled so it is no field code. The whole is then a
# string value, which escapes its backslashes once more.
function(kelvara_exec_argument out value)
  string(REPLACE "%" "%%" value "${value}")
  if(value MATCHES "[] \t\"'\\\\><~|&;$*?#()`[]")
    string(REPLACE "\\" "\\\\" value "${value}")
    string(REPLACE "\"" "\\\"" value "${value}")
    string(REPLACE "`" "\\`" value "${value}")
    string(REPLACE "$" "\\$" value "${value}")
    set(value "\"${value}\"")
  endif()
  kelvara_desktop_string(value "${value}")
  set(${out} "${value}" PARENT_SCOPE)
endfunction()

kelvara_exec_argument(KELVARA_DESKTOP_EXEC "${_program}")
kelvara_desktop_string(KELVARA_DESKTOP_TRY_EXEC "${_program}")
set(_entry "${KELVARA_DESKTOP_WORK_DIR}/${KELVARA_APP_ID}.desktop")
configure_file("${KELVARA_DESKTOP_TEMPLATE}" "${_entry}" @ONLY)

if(IS_ABSOLUTE "${KELVARA_DESKTOP_DATA_DIR}")
  set(_data "${KELVARA_DESKTOP_DATA_DIR}")
else()
  set(_data "${_prefix}/${KELVARA_DESKTOP_DATA_DIR}")
endif()
file(INSTALL DESTINATION "${_data}/applications" TYPE FILE FILES "${_entry}")
