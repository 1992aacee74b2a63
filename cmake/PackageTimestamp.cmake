# Read by cpack before it packs (CPACK_PROJECT_CONFIG_FILE): the time stamp
# every entry of the packages carries, so that packing the same build twice
# gives the same bytes. A builder's SOURCE_DATE_EPOCH wins; else the time of
# the commit the sources are at; else the start of 1970.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  set(corvane_epoch 0)
  find_package(Git QUIET)
  if(GIT_FOUND)
    execute_process(COMMAND "${GIT_EXECUTABLE}" log -1 --format=%ct WORKING_DIRECTORY "${CPACK_CORVANE_SOURCE_DIR}"
                    OUTPUT_VARIABLE commit_time OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE git_result ERROR_QUIET)
    if(git_result EQUAL 0 AND commit_time MATCHES "^[0-9]+$")
      set(corvane_epoch "${commit_time}")
    endif()
  endif()
  set(ENV{SOURCE_DATE_EPOCH} "${corvane_epoch}")
endif()
