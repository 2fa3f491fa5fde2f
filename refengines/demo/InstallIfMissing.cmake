# Run by `cmake --install`: puts the engines, the demo configuration and the sample
# dictionaries into the installation folder wherever it has none. Never replaces a file that
# is there.

set(_root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")

function(kelvara_install_if_missing source relative)
  set(_target "${_root}/${relative}")
  if(EXISTS "${_target}")
    message(STATUS "Kept: ${_target}")
    return()
  endif()
  get_filename_component(_folder "${_target}" DIRECTORY)
  file(MAKE_DIRECTORY "${_folder}")
  # A log left beside a dictionary that is no longer there belongs to another file.
  file(REMOVE "${_target}-wal" "${_target}-shm")
  file(COPY_FILE "${source}" "${_target}" ONLY_IF_DIFFERENT)
  message(STATUS "Installing: ${_target}")
endfunction()

kelvara_install_if_missing("${KELVARA_CONFIG_SOURCE}" "Config/Kelvara.ini")
foreach(_variant S T)
  # Any library with the engines' entry points may stand in an engine folder: it is kept.
  kelvara_install_if_missing("${KELVARA_EC_ENGINE}" "Article${_variant}/Ecbank.dll")
  kelvara_install_if_missing("${KELVARA_CE_ENGINE}" "Article${_variant}/Hanbank.dll")
  kelvara_install_if_missing("${KELVARA_PRISTINE_DIR}/Article${_variant}/User${_variant}.key"
                             "Article${_variant}/User${_variant}.key")
  kelvara_install_if_missing("${KELVARA_PRISTINE_DIR}/Article${_variant}/UserCe.ext"
                             "Article${_variant}/UserCe.ext")
endforeach()
