# CPack runs this after the installer is made: it signs the installer when a
# certificate is given, makes the zip and the MSI from the same staged files,
# writes the bill of materials, and SHA256SUMS for the three packages and it.
include(${CMAKE_CURRENT_LIST_DIR}/signing.cmake)
signing_requested(sign)
if(sign)
  sign_file(${CPACK_PACKAGE_FILES} "Pelmora Modem-on-Hold Setup")
endif()

set(staged ${CPACK_TEMPORARY_INSTALL_DIRECTORY})
set(out ${CPACK_PACKAGE_DIRECTORY}/${CPACK_PACKAGE_FILE_NAME})

# The staged folder is named as the package: the zip holds it, its files in
# the one order. Info-ZIP, since CPack's archives also record each file's
# access and change times, which no build can hold still; -X leaves out all
# but the modification time, the commit's.
get_filename_component(folder ${staged} NAME)
get_filename_component(parent ${staged} DIRECTORY)
list(TRANSFORM CPACK_PELMORA_FILES PREPEND ${folder}/ OUTPUT_VARIABLE entries)
file(REMOVE ${out}.zip)
find_program(ZIP zip REQUIRED)
execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC ${ZIP} -X -q -9 ${out}.zip ${folder}/ ${entries}
                WORKING_DIRECTORY ${parent} COMMAND_ERROR_IS_FATAL ANY)

execute_process(COMMAND ${CMAKE_COMMAND} -DVERSION=${CPACK_PACKAGE_VERSION} -DFILE_VERSION=${CPACK_PACKAGE_VERSION}
                        -DPLATFORM=${CPACK_PELMORA_PLATFORM} "-DFILES=${CPACK_PELMORA_FILES}"
                        -DFILES_DIR=${staged} -DMSI_KEY=${CPACK_PELMORA_MSI_KEY}
                        -DICON=${CPACK_PELMORA_ICON} -DWXS=${CPACK_PELMORA_WXS} -DOUTPUT=${out}.msi
                        -DSOURCE_DATE_EPOCH=${CPACK_PELMORA_SOURCE_DATE_EPOCH}
                        -P ${CMAKE_CURRENT_LIST_DIR}/make_msi.cmake
                COMMAND_ERROR_IS_FATAL ANY)
if(sign)
  sign_file(${out}.msi "Pelmora Modem-on-Hold")
else()
  message(STATUS "No certificate given (PELMORA_SIGN_CERT): the binaries and packages are not signed.")
endif()

# The installer is not yet beside the others: CPack copies it there next.
include(${CMAKE_CURRENT_LIST_DIR}/sbom.cmake)
list(TRANSFORM CPACK_PELMORA_BINARIES PREPEND ${staged}/ OUTPUT_VARIABLE binaries)
write_sbom(${out}.cdx.json ${CPACK_PACKAGE_NAME} ${CPACK_PACKAGE_VERSION} ${CPACK_PACKAGE_VENDOR}
           ${CPACK_PELMORA_SOURCE_DATE_EPOCH} ${CPACK_PELMORA_LINKED_COMPONENTS}
           "${CPACK_PELMORA_SOURCE_COMMIT}" "${CPACK_PELMORA_SOURCE_MODIFIED}"
           BINARIES ${binaries} PACKAGES ${CPACK_PACKAGE_FILES} ${out}.msi ${out}.zip)
set(sums "")
foreach(package ${CPACK_PACKAGE_FILES} ${out}.msi ${out}.zip ${out}.cdx.json)
  file(SHA256 ${package} hash)
  get_filename_component(file_name ${package} NAME)
  string(APPEND sums "${hash}  ${file_name}\n")
endforeach()
file(WRITE ${CPACK_PACKAGE_DIRECTORY}/SHA256SUMS "${sums}")
