# Prints the project's version as the top project() call of CMakeLists.txt declares it,
# the one place the version is written: cmake -P tools/project_version.cmake
file(READ ${CMAKE_CURRENT_LIST_DIR}/../CMakeLists.txt top_list)
if(NOT top_list MATCHES "project\\(KORVAN3 VERSION ([0-9]+\\.[0-9]+\\.[0-9]+)")
  message(FATAL_ERROR "no VERSION in the project() call of CMakeLists.txt")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E echo ${CMAKE_MATCH_1})
