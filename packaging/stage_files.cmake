# CPack runs this on the files it staged for a package, before it packs them:
# the binaries are signed when a certificate is given, and every file and
# folder takes SOURCE_DATE_EPOCH as its time and fixed modes, so that the
# packages keep nothing of the build's time or the builder's umask.
include(${CMAKE_CURRENT_LIST_DIR}/signing.cmake)

# The tools that pack, from here on in this process, read no locale of the
# builder's: under a Turkish one makensis cannot read its own '/IfNDef'.
set(ENV{LC_ALL} C.UTF-8)

include(${CMAKE_CURRENT_LIST_DIR}/check_source_tree.cmake)
if(NOT IS_DIRECTORY "${CPACK_TEMPORARY_INSTALL_DIRECTORY}")
  message(FATAL_ERROR "CPack runs this script, on the folder it staged")
endif()

signing_requested(sign)
if(sign)
  foreach(file ${CPACK_PELMORA_BINARIES})
    sign_file(${CPACK_TEMPORARY_INSTALL_DIRECTORY}/${file} "${CPACK_NSIS_DISPLAY_NAME}")
  endforeach()
endif()

file(GLOB_RECURSE staged LIST_DIRECTORIES true ${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*)
execute_process(COMMAND chmod u=rwX,go=rX ${CPACK_TEMPORARY_INSTALL_DIRECTORY} ${staged}
                COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND touch -h -d @${CPACK_PELMORA_SOURCE_DATE_EPOCH}
                        ${CPACK_TEMPORARY_INSTALL_DIRECTORY} ${staged}
                COMMAND_ERROR_IS_FATAL ANY)
