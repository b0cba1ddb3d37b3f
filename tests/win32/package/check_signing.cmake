# Packs the build again with a throwaway code-signing certificate, checks
# every signature against it, and that a file changed after signing fails.
# Run: cmake -DBUILD=... -DSIGNED=... -DCPACK=... -DPACKAGE=... -DFILES=a.exe;b.dll -P check_signing.cmake
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE ${SIGNED})
file(MAKE_DIRECTORY ${SIGNED})
execute_process(COMMAND openssl req -x509 -newkey rsa:2048 -nodes -days 2
                        -subj "/CN=Pelmora Test Signing" -addext "extendedKeyUsage=codeSigning"
                        -keyout ${SIGNED}/key.pem -out ${SIGNED}/cert.pem
                OUTPUT_QUIET ERROR_QUIET COMMAND_ERROR_IS_FATAL ANY)
set(ENV{PELMORA_SIGN_CERT} ${SIGNED}/cert.pem)
set(ENV{PELMORA_SIGN_KEY} ${SIGNED}/key.pem)
unset(ENV{PELMORA_SIGN_TIMESTAMP_URL})
execute_process(COMMAND ${CPACK} --config ${BUILD}/CPackConfig.cmake -B ${SIGNED}
                OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${SIGNED}/${PACKAGE}.zip
                WORKING_DIRECTORY ${SIGNED} COMMAND_ERROR_IS_FATAL ANY)

function(verify file result)
  execute_process(COMMAND osslsigncode verify -CAfile ${SIGNED}/cert.pem -in ${file}
                  OUTPUT_QUIET ERROR_QUIET RESULT_VARIABLE failed)
  set(${result} ${failed} PARENT_SCOPE)
endfunction()

list(TRANSFORM FILES PREPEND ${SIGNED}/${PACKAGE}/)
foreach(file ${SIGNED}/${PACKAGE}.exe ${SIGNED}/${PACKAGE}.msi ${FILES})
  verify(${file} failed)
  if(failed)
    message(SEND_ERROR "${file} carries no signature that verifies")
  endif()
endforeach()

# One byte changed in the signed code.
list(GET FILES 0 signed_file)
file(COPY_FILE ${signed_file} ${SIGNED}/tampered.exe)
execute_process(COMMAND sh -c "printf X | dd of='${SIGNED}/tampered.exe' bs=1 seek=4096 conv=notrunc"
                OUTPUT_QUIET ERROR_QUIET COMMAND_ERROR_IS_FATAL ANY)
verify(${SIGNED}/tampered.exe failed)
if(NOT failed)
  message(SEND_ERROR "a signed file changed after signing still verifies")
endif()
execute_process(COMMAND sha256sum -c SHA256SUMS WORKING_DIRECTORY ${SIGNED} OUTPUT_QUIET
                COMMAND_ERROR_IS_FATAL ANY)
