# Runs cpack on a build tree and checks that the archive holds exactly the
# expected files. Arguments: CPACK, BUILD_DIR, WORK_DIR, PACKAGE (file name),
# EXPECTED (a list of paths inside the archive).
file(REMOVE_RECURSE ${WORK_DIR})
execute_process(
  COMMAND ${CPACK} --config ${BUILD_DIR}/CPackConfig.cmake -B ${WORK_DIR}
  RESULT_VARIABLE result
  OUTPUT_VARIABLE output
  ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cpack failed (${result}):\n${output}")
endif()
if(NOT EXISTS ${WORK_DIR}/${PACKAGE})
  file(GLOB made ${WORK_DIR}/*.*)
  message(FATAL_ERROR "cpack made no ${PACKAGE}; it made: ${made}")
endif()

execute_process(
  COMMAND ${CMAKE_COMMAND} -E tar tf ${WORK_DIR}/${PACKAGE}
  RESULT_VARIABLE result
  OUTPUT_VARIABLE listing)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cannot list ${PACKAGE}")
endif()
string(REPLACE "\n" ";" entries "${listing}")
set(files "")
foreach(entry IN LISTS entries)
  if(entry AND NOT entry MATCHES "/$")
    list(APPEND files ${entry})
  endif()
endforeach()
list(SORT files)
list(SORT EXPECTED)
if(NOT files STREQUAL EXPECTED)
  message(FATAL_ERROR "${PACKAGE} holds [${files}], expected [${EXPECTED}]")
endif()
message(STATUS "${PACKAGE} holds ${files}")
file(REMOVE_RECURSE ${WORK_DIR})
