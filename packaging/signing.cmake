# Authenticode signing with osslsigncode, when a certificate is given in the
# environment: PELMORA_SIGN_CERT and PELMORA_SIGN_KEY (PEM files), or
# PELMORA_SIGN_CERT alone as a PKCS#12 file (.p12, .pfx); PELMORA_SIGN_PASSWORD
# for an encrypted key or PKCS#12 file; PELMORA_SIGN_TIMESTAMP_URL for a
# time-stamp server. Read at packaging time, so no secret reaches the cache.

function(signing_requested result)
  if(DEFINED ENV{PELMORA_SIGN_CERT} AND NOT "$ENV{PELMORA_SIGN_CERT}" STREQUAL "")
    set(${result} TRUE PARENT_SCOPE)
  else()
    set(${result} FALSE PARENT_SCOPE)
  endif()
endfunction()

# Signs file in place with SHA-256, naming it description.
function(sign_file file description)
  find_program(OSSLSIGNCODE osslsigncode REQUIRED)
  set(cert $ENV{PELMORA_SIGN_CERT})
  if(cert MATCHES "\\.(p12|pfx)$")
    set(credentials -pkcs12 ${cert})
  elseif(DEFINED ENV{PELMORA_SIGN_KEY})
    set(credentials -certs ${cert} -key $ENV{PELMORA_SIGN_KEY})
  else()
    message(FATAL_ERROR "PELMORA_SIGN_CERT is a PEM certificate: PELMORA_SIGN_KEY must name its key")
  endif()
  if(DEFINED ENV{PELMORA_SIGN_PASSWORD})
    list(APPEND credentials -pass $ENV{PELMORA_SIGN_PASSWORD})
  endif()
  if(DEFINED ENV{PELMORA_SIGN_TIMESTAMP_URL} AND NOT "$ENV{PELMORA_SIGN_TIMESTAMP_URL}" STREQUAL "")
    list(APPEND credentials -ts $ENV{PELMORA_SIGN_TIMESTAMP_URL})
  endif()
  execute_process(COMMAND ${OSSLSIGNCODE} sign ${credentials} -h sha256
                          -n "${description}" -in ${file} -out ${file}.signed
                  OUTPUT_QUIET RESULT_VARIABLE failed)
  if(failed)
    file(REMOVE ${file}.signed)
    message(FATAL_ERROR "signing ${file} failed")
  endif()
  file(RENAME ${file}.signed ${file})
endfunction()
