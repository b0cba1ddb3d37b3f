# Two MSIs of one version whose contents differ have different package
# codes, which Windows Installer caches packages by: the release MSI against
# one made the same way from its files with LICENSE changed.
# Run: cmake -DMSI=... -DSTAGED=... -DWORK=... -DMAKE_MSI=... -DSETTINGS=... -DVERSION=... -P check_package_code.cmake
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE ${WORK})
file(COPY ${STAGED}/ DESTINATION ${WORK}/files)
file(APPEND ${WORK}/files/LICENSE "\n")
execute_process(COMMAND ${CMAKE_COMMAND} -DSETTINGS=${SETTINGS} -DVERSION=${VERSION} -DFILES_DIR=${WORK}/files
                        -DOUTPUT=${WORK}/other.msi -P ${MAKE_MSI}
                OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
function(package_code msi out)
  execute_process(COMMAND msiinfo suminfo ${msi} OUTPUT_VARIABLE info COMMAND_ERROR_IS_FATAL ANY)
  string(REGEX MATCH "Revision number \\(UUID\\): [^\n]+" code "${info}")
  set(${out} "${code}" PARENT_SCOPE)
endfunction()
package_code(${MSI} released)
package_code(${WORK}/other.msi other)
if(NOT released OR released STREQUAL other)
  message(SEND_ERROR "two MSIs of one version with other contents share the package code: ${released}")
endif()
