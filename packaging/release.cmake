# The release, made from a build, step by step: the files that ship, signed
# when a certificate is given (signing.cmake says how); the setup program,
# the portable zip and the MSI, each holding those files; the bill of
# materials; SHA256SUMS. Everything is made under WORK_FOLDER and moved into
# the release folder only once every step succeeded: a failure leaves that
# folder as it was, never with a set whose SHA256SUMS no longer matches.
# SETTINGS, which packaging/CMakeLists.txt writes, gives the facts, and
# OTHER_EDITIONS the settings of the editions built beside it, each packed
# alike, with one SHA256SUMS over them all.
# Run: cmake -DSETTINGS=<build>/release-settings.cmake [-DRELEASE_DIR=...] -P release.cmake
# (the build's `release` target does); the release folder is the build's by default.
cmake_minimum_required(VERSION 3.25)
include(${SETTINGS})
include(${CMAKE_CURRENT_LIST_DIR}/signing.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/sbom.cmake)
if(NOT RELEASE_DIR)
  set(RELEASE_DIR ${BUILD_DIR})
endif()
set(work ${RELEASE_DIR}/${WORK_FOLDER})
set(made ${work}/packages)
# The tools that pack read no locale of the builder's: under a Turkish one
# makensis cannot read its own '/IfNDef'.
set(ENV{LC_ALL} C.UTF-8)
signing_requested(sign)
if(NOT sign)
  message(STATUS "No certificate given (PELMORA_SIGN_CERT): the binaries and packages are not signed.")
endif()

# 1. Packages named as the commit's hold the commit's files: a tree changed
#    since it was configured as unchanged is configured again first.
if(SOURCE_COMMIT AND NOT SOURCE_MODIFIED)
  execute_process(COMMAND git status --porcelain --untracked-files=no
                  WORKING_DIRECTORY ${SOURCE_DIR} OUTPUT_VARIABLE changes)
  if(changes)
    message(FATAL_ERROR "The sources changed since they were configured: configure again, "
                        "so that the packages are named as a modified tree's.")
  endif()
endif()

file(REMOVE_RECURSE ${work})
file(MAKE_DIRECTORY ${made})
# make_edition(SETTINGS): steps 2 to 6, for the edition whose settings
# these are, adding its packages and bill of materials to `released`.
function(make_edition settings)
  include(${settings})
  set(staged ${work}/${PACKAGE_NAME})
  set(out ${made}/${PACKAGE_NAME})

  # 2. The files that ship, in a folder named as the package; the binaries
  #    signed; every file and folder with SOURCE_DATE_EPOCH as its time and
  #    fixed modes, so that the packages keep nothing of the build's time or
  #    the builder's umask.
  execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${staged}
                  OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  if(sign)
    foreach(file ${BINARIES})
      sign_file(${staged}/${file} "${DISPLAY_NAME}")
    endforeach()
  endif()
  file(GLOB_RECURSE contents LIST_DIRECTORIES true ${staged}/*)
  execute_process(COMMAND chmod u=rwX,go=rX ${staged} ${contents} COMMAND_ERROR_IS_FATAL ANY)
  execute_process(COMMAND touch -h -d @${SOURCE_DATE_EPOCH} ${staged} ${contents}
                  COMMAND_ERROR_IS_FATAL ANY)

  # 3. The setup program, from its script filled in with the settings: the
  #    files one by one, in the one order, so that two builds pack them alike;
  #    its version record, which its uninstaller shares, with the texts of the
  #    binaries' (resources/VersionRecord.h); the registry view in which the
  #    other edition's setup program registers its copy.
  set(NSIS_FILES "")
  set(NSIS_DELETED_FILES "")
  foreach(file ${FILES})
    string(APPEND NSIS_FILES "  File \"\${INST_DIR}/${file}\"\n")
    string(APPEND NSIS_DELETED_FILES "  Delete \"$INSTDIR\\${file}\"\n")
  endforeach()
  set(NSIS_VERSION_RECORD "VIProductVersion ${PRODUCT_VERSION}\nVIFileVersion ${PRODUCT_VERSION}\n")
  foreach(pair "CompanyName;${VENDOR}" "LegalCopyright;${COPYRIGHT}" "ProductName;${PRODUCT_NAME}"
               "FileDescription;${DISPLAY_NAME} Setup" "FileVersion;${VERSION_TEXT}"
               "ProductVersion;${VERSION_TEXT}" "Comments;${BUILD_SOURCES}")
    list(GET pair 0 key)
    list(GET pair 1 value)
    string(APPEND NSIS_VERSION_RECORD "VIAddVersionKey /LANG=\${LANG_ENGLISH} ${key} \"${value}\"\n")
  endforeach()
  # The languages the program speaks, English first as the default.
  set(NSIS_LANGUAGES "")
  foreach(language English ${TRANSLATIONS})
    string(APPEND NSIS_LANGUAGES "  !insertmacro MUI_LANGUAGE \"${language}\"\n")
  endforeach()
  string(REPLACE "\\n" "$\\n" NSIS_RUNNING_MESSAGE "${RUNNING_MESSAGE}")
  # NSIS 3.08 and later run sign_uninstaller.cmake on the uninstaller before
  # packing it: a signed release installs a signed Uninstall.exe.
  set(NSIS_DEFINES "!uninstfinalize '\"${CMAKE_COMMAND}\" -DFILE=\"%1\" \"-DNAME=${DISPLAY_NAME} Uninstaller\" -DSOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH} -P \"${CMAKE_CURRENT_LIST_DIR}/sign_uninstaller.cmake\"'")
  if(PLATFORM STREQUAL win64)
    string(APPEND NSIS_DEFINES "\nTarget amd64-unicode")
    set(NSIS_PROGRAM_FILES "$PROGRAMFILES64")
    set(NSIS_OTHER_VIEW 32)
  else()
    set(NSIS_PROGRAM_FILES "$PROGRAMFILES")
    set(NSIS_OTHER_VIEW 64)
  endif()
  configure_file(${SETUP_SCRIPT} ${work}/${PACKAGE_NAME}.nsi @ONLY)
  find_program(MAKENSIS makensis REQUIRED)
  execute_process(COMMAND ${MAKENSIS} -V2 -DINST_DIR=${staged} -DOUTFILE=${out}.exe ${work}/${PACKAGE_NAME}.nsi
                  COMMAND_ERROR_IS_FATAL ANY)
  if(sign)
    sign_file(${out}.exe "${DISPLAY_NAME} Setup")
  endif()

  # 4. The portable zip: the staged folder, its files in the one order.
  #    Info-ZIP's -X leaves out every time but the modification time, the
  #    commit's, which no build could hold still.
  list(TRANSFORM FILES PREPEND ${PACKAGE_NAME}/ OUTPUT_VARIABLE entries)
  find_program(ZIP zip REQUIRED)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC ${ZIP} -X -q -9 ${out}.zip ${PACKAGE_NAME}/ ${entries}
                  WORKING_DIRECTORY ${work} COMMAND_ERROR_IS_FATAL ANY)

  # 5. The MSI, whose check for a running copy runs elevated: signed with the rest.
  set(check ${work}/${PACKAGE_NAME}-running_copy_check.exe)
  file(COPY_FILE ${RUNNING_COPY_CHECK} ${check})
  if(sign)
    sign_file(${check} "${DISPLAY_NAME}")
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -DSETTINGS=${settings} -DVERSION=${PRODUCT_VERSION}
                          -DFILES_DIR=${staged} -DCHECK=${check} -DOUTPUT=${out}.msi
                          -P ${CMAKE_CURRENT_LIST_DIR}/make_msi.cmake
                  COMMAND_ERROR_IS_FATAL ANY)
  if(sign)
    sign_file(${out}.msi "${DISPLAY_NAME}")
  endif()

  # 6. The bill of materials: the binaries and the packages as they ship.
  list(TRANSFORM BINARIES PREPEND ${staged}/ OUTPUT_VARIABLE binaries)
  write_sbom(${out}.cdx.json ${PRODUCT} ${PRODUCT_VERSION} ${VENDOR} ${SOURCE_DATE_EPOCH} ${LINKED_COMPONENTS}
             "${SOURCE_COMMIT}" "${SOURCE_MODIFIED}"
             BINARIES ${binaries} PACKAGES ${out}.exe ${out}.msi ${out}.zip)
  list(APPEND released ${out}.exe ${out}.msi ${out}.zip ${out}.cdx.json)
  set(released ${released} PARENT_SCOPE)
endfunction()
set(released "")
foreach(edition ${SETTINGS} ${OTHER_EDITIONS})
  make_edition(${edition})
endforeach()

# 7. SHA256SUMS, of every edition's packages and bill of materials.
set(sums "")
foreach(file ${released})
  file(SHA256 ${file} hash)
  get_filename_component(name ${file} NAME)
  string(APPEND sums "${hash}  ${name}\n")
endforeach()
file(WRITE ${made}/SHA256SUMS "${sums}")

# 8. The whole set into the release folder.
foreach(file ${released} ${made}/SHA256SUMS)
  get_filename_component(name ${file} NAME)
  file(RENAME ${file} ${RELEASE_DIR}/${name})
endforeach()
list(TRANSFORM released REPLACE "^.*/" "")
list(JOIN released ", " names)
message(STATUS "Released into ${RELEASE_DIR}: ${names} and SHA256SUMS")
