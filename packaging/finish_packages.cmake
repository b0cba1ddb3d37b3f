# CPack runs this after the installer is made: it signs the installer when a
# certificate is given, makes the zip and the MSI from the same staged files,
# writes the bill of materials, and SHA256SUMS for the three packages and it.
include(${CMAKE_CURRENT_LIST_DIR}/signing.cmake)

set(staged ${CPACK_TEMPORARY_INSTALL_DIRECTORY})
# Everything is made in a folder of its own and moved into the release
# folder only once every step succeeded: a failure leaves that folder as it
# was, never with a set whose SHA256SUMS no longer matches. CPack copies the
# installer there even when this script fails, so the installer waits in
# that folder too, and is put back where CPack takes it from only at the end.
set(release ${CPACK_TOPLEVEL_DIRECTORY}/release)
file(REMOVE_RECURSE ${release})
file(MAKE_DIRECTORY ${release})
set(out ${release}/${CPACK_PACKAGE_FILE_NAME})
set(installer ${out}.exe)
file(RENAME ${CPACK_PACKAGE_FILES} ${installer})

signing_requested(sign)
if(sign)
  sign_file(${installer} "${CPACK_NSIS_DISPLAY_NAME} Setup")
endif()

# The staged folder is named as the package: the zip holds it, its files in
# the one order. Info-ZIP, since CPack's archives also record each file's
# access and change times, which no build can hold still; -X leaves out all
# but the modification time, the commit's.
get_filename_component(folder ${staged} NAME)
get_filename_component(parent ${staged} DIRECTORY)
list(TRANSFORM CPACK_PELMORA_FILES PREPEND ${folder}/ OUTPUT_VARIABLE entries)
find_program(ZIP zip REQUIRED)
execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC ${ZIP} -X -q -9 ${out}.zip ${folder}/ ${entries}
                WORKING_DIRECTORY ${parent} COMMAND_ERROR_IS_FATAL ANY)

# The MSI runs its check for a running copy elevated: signed with the rest.
include(${CPACK_PELMORA_MSI_SETTINGS})
set(check ${release}/running_copy_check.exe)
file(COPY_FILE ${RUNNING_COPY_CHECK} ${check})
if(sign)
  sign_file(${check} "${CPACK_NSIS_DISPLAY_NAME}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -DSETTINGS=${CPACK_PELMORA_MSI_SETTINGS} -DVERSION=${CPACK_PACKAGE_VERSION}
                        -DFILES_DIR=${staged} -DCHECK=${check} -DOUTPUT=${out}.msi
                        -P ${CMAKE_CURRENT_LIST_DIR}/make_msi.cmake
                COMMAND_ERROR_IS_FATAL ANY)
if(sign)
  sign_file(${out}.msi "${CPACK_NSIS_DISPLAY_NAME}")
else()
  message(STATUS "No certificate given (PELMORA_SIGN_CERT): the binaries and packages are not signed.")
endif()

include(${CMAKE_CURRENT_LIST_DIR}/sbom.cmake)
list(TRANSFORM CPACK_PELMORA_BINARIES PREPEND ${staged}/ OUTPUT_VARIABLE binaries)
write_sbom(${out}.cdx.json ${CPACK_PACKAGE_NAME} ${CPACK_PACKAGE_VERSION} ${CPACK_PACKAGE_VENDOR}
           ${CPACK_PELMORA_SOURCE_DATE_EPOCH} ${CPACK_PELMORA_LINKED_COMPONENTS}
           "${CPACK_PELMORA_SOURCE_COMMIT}" "${CPACK_PELMORA_SOURCE_MODIFIED}"
           BINARIES ${binaries} PACKAGES ${installer} ${out}.msi ${out}.zip)
set(sums "")
foreach(package ${installer} ${out}.msi ${out}.zip ${out}.cdx.json)
  file(SHA256 ${package} hash)
  get_filename_component(file_name ${package} NAME)
  string(APPEND sums "${hash}  ${file_name}\n")
endforeach()
file(WRITE ${release}/SHA256SUMS "${sums}")

foreach(file ${out}.msi ${out}.zip ${out}.cdx.json ${release}/SHA256SUMS)
  get_filename_component(file_name ${file} NAME)
  file(RENAME ${file} ${CPACK_PACKAGE_DIRECTORY}/${file_name})
endforeach()
file(RENAME ${installer} ${CPACK_PACKAGE_FILES})
