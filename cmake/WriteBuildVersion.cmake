# Run at every build (cmake -P): writes the commit the sources are at into
# OUTPUT, and touches it only when that changed, so that `corvane-sim
# --version` tells builds apart without rebuilding anything when nothing did.
#   SOURCE_DIR  the checkout
#   OUTPUT      the header to write
set(commit "unknown")
set(modified "")
find_package(Git QUIET)
if(GIT_FOUND)
  execute_process(COMMAND "${GIT_EXECUTABLE}" rev-parse --short=12 HEAD WORKING_DIRECTORY "${SOURCE_DIR}"
                  OUTPUT_VARIABLE head OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE head_result ERROR_QUIET)
  if(head_result EQUAL 0)
    set(commit "${head}")
    execute_process(COMMAND "${GIT_EXECUTABLE}" status --porcelain --untracked-files=no
                    WORKING_DIRECTORY "${SOURCE_DIR}" OUTPUT_VARIABLE changes ERROR_QUIET)
    if(NOT changes STREQUAL "")
      set(modified ", with uncommitted changes")
    endif()
  endif()
endif()
set(content "// Written by cmake/WriteBuildVersion.cmake at build time.\n#define CORVANE_COMMIT \"${commit}${modified}\"\n")
if(EXISTS "${OUTPUT}")
  file(READ "${OUTPUT}" previous)
endif()
if(NOT previous STREQUAL content)
  file(WRITE "${OUTPUT}" "${content}")
endif()
