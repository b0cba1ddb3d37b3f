# Packs the build again with a throwaway code-signing certificate, whose key
# has a password with a ';' in it: every signature verifies against it, the
# uninstaller's inside the setup program too, a file changed after signing
# does not, signing twice gives the same bytes, and the password is on no
# command line, and lies only in a folder of the run's own, under TMPDIR,
# that only the builder may enter.
# A certificate that has expired, or is not for code signing, fails
# the build; so does a failure at the last signature, which leaves the
# release folder as it was.
# Run: cmake -DSIGNED=... -DSETTINGS=... -DRECIPE=release.cmake -DPACKAGES=a;b -DFILES=a.exe;b.dll
#            -P check_signing.cmake
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/setup_uninstaller.cmake)
file(REMOVE_RECURSE ${SIGNED})
set(keys ${SIGNED}/keys)
file(MAKE_DIRECTORY ${keys})
set(password "pass;word with spaces")

# certificate(NAME USAGE [CLOCK...]): a self-signed certificate for two days
# and its key, made with the clock given (faketime's) or the real one.
function(certificate name usage)
  execute_process(COMMAND ${ARGN} openssl req -x509 -newkey rsa:2048 -passout env:PASSWORD -days 2
                          -addext extendedKeyUsage=${usage} -subj "/CN=Pelmora Test Signing"
                          -keyout ${keys}/${name}-key.pem -out ${keys}/${name}.pem
                  OUTPUT_QUIET ERROR_QUIET COMMAND_ERROR_IS_FATAL ANY)
endfunction()
set(ENV{PASSWORD} "${password}")
certificate(good codeSigning)
certificate(expired codeSigning faketime -f -10d)
certificate(server_only serverAuth)
unset(ENV{PASSWORD})

# osslsigncode as the build finds it, recording each command line and the
# mode of the folder that holds the password, and failing on the MSI when
# FAIL_MSI is set.
file(MAKE_DIRECTORY ${SIGNED}/tools ${SIGNED}/tmp)
set(ENV{TMPDIR} ${SIGNED}/tmp)
find_program(OSSLSIGNCODE osslsigncode REQUIRED)
file(WRITE ${SIGNED}/tools/osslsigncode
  "#!/bin/sh\n"
  "printf '%s\\n' \"$*\" >> '${SIGNED}/tools/command-lines.txt'\n"
  "previous=; for a; do [ \"$previous\" != -readpass ] || stat -c '%a %n' \"$(dirname \"$a\")\" >> '${SIGNED}/tools/folders.txt'; previous=$a; done\n"
  "case \"$*\" in *.msi\\ -out*) [ -z \"$FAIL_MSI\" ] || exit 1;; esac\n"
  "exec '${OSSLSIGNCODE}' \"$@\"\n")
file(CHMOD ${SIGNED}/tools/osslsigncode PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
set(ENV{PATH} "${SIGNED}/tools:$ENV{PATH}")

# Packs with the named certificate into SIGNED; its result and output.
function(pack name result output)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=PELMORA_SIGN_TIMESTAMP_URL --unset=PELMORA_SIGN_CA
                          PELMORA_SIGN_CERT=${keys}/${name}.pem PELMORA_SIGN_KEY=${keys}/${name}-key.pem
                          "PELMORA_SIGN_PASSWORD=${password}" ${ARGN}
                          ${CMAKE_COMMAND} -DSETTINGS=${SETTINGS} -DRELEASE_DIR=${SIGNED} -P ${RECIPE}
                  RESULT_VARIABLE failed OUTPUT_VARIABLE text ERROR_VARIABLE text)
  set(${result} ${failed} PARENT_SCOPE)
  set(${output} "${text}" PARENT_SCOPE)
endfunction()

foreach(name expired server_only)
  pack(${name} failed text)
  if(NOT failed OR NOT text MATCHES "does not verify against")
    message(SEND_ERROR "signing with the ${name} certificate did not fail the build:\n${text}")
  endif()
endforeach()

pack(good failed text)
if(failed)
  message(FATAL_ERROR "signing failed:\n${text}")
endif()
function(verify file result)
  execute_process(COMMAND osslsigncode verify -CAfile ${keys}/good.pem -in ${file}
                  OUTPUT_QUIET ERROR_QUIET RESULT_VARIABLE failed)
  set(${result} ${failed} PARENT_SCOPE)
endfunction()

# Every edition's packages, the files they hold, the check for a running
# copy that the MSI carries and runs, and the uninstaller that the setup
# program carries and installs.
foreach(package ${PACKAGES})
  execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${SIGNED}/${package}.zip
                  WORKING_DIRECTORY ${SIGNED} COMMAND_ERROR_IS_FATAL ANY)
  list(TRANSFORM FILES PREPEND ${SIGNED}/${package}/ OUTPUT_VARIABLE files)
  execute_process(COMMAND msiinfo extract ${SIGNED}/${package}.msi Binary.RunningCopyCheck
                  OUTPUT_FILE ${SIGNED}/tools/${package}-running_copy_check.exe COMMAND_ERROR_IS_FATAL ANY)
  setup_uninstaller(${SIGNED}/${package}.exe ${SIGNED}/tools/${package}-Uninstall.exe)
  foreach(file ${SIGNED}/${package}.exe ${SIGNED}/${package}.msi ${files}
               ${SIGNED}/tools/${package}-running_copy_check.exe ${SIGNED}/tools/${package}-Uninstall.exe)
    verify(${file} failed)
    if(failed)
      message(SEND_ERROR "${file} carries no signature that verifies")
    endif()
  endforeach()
endforeach()

# One byte changed in the signed code.
list(GET PACKAGES 0 package)
list(GET FILES 0 signed_file)
set(signed_file ${SIGNED}/${package}/${signed_file})
file(COPY_FILE ${signed_file} ${SIGNED}/tampered.exe)
execute_process(COMMAND sh -c "printf X | dd of='${SIGNED}/tampered.exe' bs=1 seek=4096 conv=notrunc"
                OUTPUT_QUIET ERROR_QUIET COMMAND_ERROR_IS_FATAL ANY)
verify(${SIGNED}/tampered.exe failed)
file(REMOVE ${SIGNED}/tampered.exe)
if(NOT failed)
  message(SEND_ERROR "a signed file changed after signing still verifies")
endif()
execute_process(COMMAND sha256sum -c SHA256SUMS WORKING_DIRECTORY ${SIGNED} OUTPUT_QUIET
                COMMAND_ERROR_IS_FATAL ANY)

file(READ ${SIGNED}/tools/command-lines.txt command_lines)
foreach(part "pass;word" "word with")
  string(FIND "${command_lines}" "${part}" at)
  if(NOT at EQUAL -1)
    message(SEND_ERROR "the password is on osslsigncode's command line")
  endif()
endforeach()
file(STRINGS ${SIGNED}/tools/folders.txt folders)
list(FILTER folders EXCLUDE REGEX "^700 ${SIGNED}/tmp/[^/]+$")
file(GLOB left ${SIGNED}/tmp/*)
if(folders OR left)
  message(SEND_ERROR "the password lay elsewhere than in a private folder under TMPDIR, "
                     "or was left behind: [${folders}] [${left}]")
endif()

# Without a time-stamp server everything is signed at SOURCE_DATE_EPOCH:
# signed again with the same key, the release is the same bytes.
file(READ ${SIGNED}/SHA256SUMS first_sums)
pack(good failed text)
file(READ ${SIGNED}/SHA256SUMS second_sums)
if(failed OR NOT first_sums STREQUAL second_sums)
  message(SEND_ERROR "signed twice with one key, the release differs:\n${first_sums}\n${second_sums}")
endif()

# The last signature fails: the release folder keeps the set it had.
file(GLOB released LIST_DIRECTORIES false ${SIGNED}/*)
foreach(file ${released})
  file(SHA256 ${file} before_${file})
endforeach()
pack(good failed text FAIL_MSI=1)
file(GLOB after LIST_DIRECTORIES false ${SIGNED}/*)
if(NOT failed OR NOT after STREQUAL released)
  message(SEND_ERROR "a failed signature did not fail the build, or changed which files are released")
endif()
foreach(file ${released})
  file(SHA256 ${file} hash)
  if(NOT hash STREQUAL "${before_${file}}")
    message(SEND_ERROR "a failed signature left ${file} changed")
  endif()
endforeach()
