# CPack runs this on the files it staged for a package, before it packs them:
# the binaries are signed when a certificate is given, and every file and
# folder takes SOURCE_DATE_EPOCH as its time, so that the packages keep no
# time of the build.
include(${CMAKE_CURRENT_LIST_DIR}/signing.cmake)

signing_requested(sign)
if(sign)
  foreach(file ${CPACK_PELMORA_BINARIES})
    sign_file(${CPACK_TEMPORARY_INSTALL_DIRECTORY}/${file} "Pelmora Modem-on-Hold")
  endforeach()
endif()

file(GLOB_RECURSE staged LIST_DIRECTORIES true ${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*)
execute_process(COMMAND touch -h -d @${CPACK_PELMORA_SOURCE_DATE_EPOCH}
                        ${CPACK_TEMPORARY_INSTALL_DIRECTORY} ${staged}
                COMMAND_ERROR_IS_FATAL ANY)
