# CPack runs this after each package is made: it signs the installer when a
# certificate is given, and after the last package it makes the MSI from the
# same staged files and writes SHA256SUMS for the three packages.
include(${CMAKE_CURRENT_LIST_DIR}/signing.cmake)
signing_requested(sign)

if(sign AND CPACK_GENERATOR STREQUAL NSIS)
  sign_file(${CPACK_PACKAGE_FILES} "Pelmora Modem-on-Hold Setup")
endif()
if(NOT CPACK_GENERATOR STREQUAL CPACK_PELMORA_LAST_GENERATOR)
  return()
endif()

set(name ${CPACK_PACKAGE_FILE_NAME})
set(msi ${CPACK_PACKAGE_DIRECTORY}/${name}.msi)
execute_process(COMMAND ${CMAKE_COMMAND} -DVERSION=${CPACK_PACKAGE_VERSION}
                        -DPLATFORM=${CPACK_PELMORA_PLATFORM} "-DFILES=${CPACK_PELMORA_FILES}"
                        -DFILES_DIR=${CPACK_TEMPORARY_INSTALL_DIRECTORY}
                        -DICON=${CPACK_PELMORA_ICON} -DWXS=${CPACK_PELMORA_WXS} -DOUTPUT=${msi}
                        -DSOURCE_DATE_EPOCH=${CPACK_PELMORA_SOURCE_DATE_EPOCH}
                        -P ${CMAKE_CURRENT_LIST_DIR}/make_msi.cmake
                COMMAND_ERROR_IS_FATAL ANY)
if(sign)
  sign_file(${msi} "Pelmora Modem-on-Hold")
else()
  message(STATUS "No certificate given (PELMORA_SIGN_CERT): the binaries and packages are not signed.")
endif()

# This package is not yet beside the others: CPack copies it there next.
set(sums "")
foreach(package ${CPACK_PACKAGE_DIRECTORY}/${name}.exe ${msi} ${CPACK_PACKAGE_FILES})
  file(SHA256 ${package} hash)
  get_filename_component(file_name ${package} NAME)
  string(APPEND sums "${hash}  ${file_name}\n")
endforeach()
file(WRITE ${CPACK_PACKAGE_DIRECTORY}/SHA256SUMS "${sums}")
