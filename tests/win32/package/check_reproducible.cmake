# Builds the shipped files again, in a fresh folder, and compares them with
# the first build byte for byte, naming the first file that differs.
# Run: cmake -DSOURCE_DIR=... -DPRESET=... -DFIRST=... -DSECOND=... -DFILES=bin/a.exe;x.zip
#            -P check_reproducible.cmake
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE ${SECOND})
execute_process(COMMAND ${CMAKE_COMMAND} --preset ${PRESET} -S ${SOURCE_DIR} -B ${SECOND}
                WORKING_DIRECTORY ${SOURCE_DIR}
                OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${CMAKE_COMMAND} --build ${SECOND} --target release
                OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
foreach(file ${FILES})
  file(SHA256 ${FIRST}/${file} first)
  file(SHA256 ${SECOND}/${file} second)
  if(NOT first STREQUAL second)
    message(FATAL_ERROR "${file} differs between two builds of the same sources")
  endif()
endforeach()
message(STATUS "Two builds agree on: ${FILES}")
