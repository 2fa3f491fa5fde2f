# Installs the build into a folder that already holds a user's configuration, E-C dictionary
# and C-E engine library, and checks that those are kept while the rest is put in place.
#   cmake -DBUILD_DIR=<build> -DWORK_DIR=<scratch> -P InstallTest.cmake

set(_prefix "${WORK_DIR}/installation")
file(REMOVE_RECURSE "${_prefix}")
file(MAKE_DIRECTORY "${_prefix}/Config" "${_prefix}/ArticleS" "${_prefix}/ArticleT")
file(WRITE "${_prefix}/Config/Kelvara.ini" "[Preferences]\nChineseType=1\n")
file(WRITE "${_prefix}/ArticleS/UserS.key" "the user's dictionary")
file(WRITE "${_prefix}/ArticleT/Hanbank.dll" "the user's engine")

execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${_prefix}"
                        --component engines
                RESULT_VARIABLE _rc OUTPUT_QUIET)
if(NOT _rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${_rc}")
endif()

file(READ "${_prefix}/Config/Kelvara.ini" _config)
file(READ "${_prefix}/ArticleS/UserS.key" _dictionary)
file(READ "${_prefix}/ArticleT/Hanbank.dll" _engine)
if(NOT _config STREQUAL "[Preferences]\nChineseType=1\n" OR
   NOT _dictionary STREQUAL "the user's dictionary" OR NOT _engine STREQUAL "the user's engine")
  message(FATAL_ERROR "install replaced the user's configuration, dictionary or engine")
endif()
foreach(_file ArticleS/Ecbank.dll ArticleS/Hanbank.dll ArticleS/UserCe.ext
              ArticleT/Ecbank.dll ArticleT/Hanbank.dll ArticleT/UserCe.ext ArticleT/UserT.key)
  if(NOT EXISTS "${_prefix}/${_file}")
    message(FATAL_ERROR "install did not put ${_file} in place")
  endif()
endforeach()
file(REMOVE_RECURSE "${_prefix}")
