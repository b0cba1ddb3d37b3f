# Builds the shipped files again, in a fresh folder and unsigned, and
# compares them with the first build byte for byte (compare_builds.cmake),
# naming the first file that differs.
# Run: cmake -DSOURCE_DIR=... -DPRESET=... -DFIRST=... -DSECOND=... -DFILES=bin/a.exe;x.zip
#            -P check_reproducible.cmake
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/compare_builds.cmake)
file(REMOVE_RECURSE ${SECOND})
execute_process(COMMAND ${CMAKE_COMMAND} --preset ${PRESET} -S ${SOURCE_DIR} -B ${SECOND}
                WORKING_DIRECTORY ${SOURCE_DIR}
                OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${CMAKE_COMMAND} --build ${SECOND} --target release
                OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
compare_builds(${FIRST} ${SECOND} ${FILES})
message(STATUS "Two builds agree on: ${FILES}")
