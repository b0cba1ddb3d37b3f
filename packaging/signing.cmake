# Authenticode signing with osslsigncode, when a certificate is given in the
# environment: PELMORA_SIGN_CERT and PELMORA_SIGN_KEY (PEM files), or
# PELMORA_SIGN_CERT alone as a PKCS#12 file (.p12, .pfx); PELMORA_SIGN_PASSWORD
# for an encrypted key or PKCS#12 file; PELMORA_SIGN_TIMESTAMP_URL for a
# time-stamp server; PELMORA_SIGN_CA for the certificate chain that every
# signature must verify against (by default the certificates of
# PELMORA_SIGN_CERT). Read at packaging time, so no secret reaches the cache.
# The password reaches the tools through a file that only this user may
# read, never through a command line, which every local user can see.

function(signing_requested result)
  if(DEFINED ENV{PELMORA_SIGN_CERT} AND NOT "$ENV{PELMORA_SIGN_CERT}" STREQUAL "")
    set(${result} TRUE PARENT_SCOPE)
  else()
    set(${result} FALSE PARENT_SCOPE)
  endif()
endfunction()

# A folder of this run's own, under TMPDIR, that only this user may enter
# (mktemp makes it 0700 under a name nobody can claim first), with the
# password in it, if any. The caller removes it.
function(signing_secrets folder_out password_out)
  execute_process(COMMAND mktemp -d -t pelmora-signing.XXXXXXXX
                  OUTPUT_VARIABLE folder OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  set(password "")
  if(DEFINED ENV{PELMORA_SIGN_PASSWORD})
    set(password ${folder}/password)
    file(WRITE ${password} "$ENV{PELMORA_SIGN_PASSWORD}")
  endif()
  set(${folder_out} ${folder} PARENT_SCOPE)
  set(${password_out} ${password} PARENT_SCOPE)
endfunction()

# Signs file in place with SHA-256, naming it description, at SOURCE_DATE_EPOCH
# (the caller's) unless a time-stamp server is given, and fails unless
# the signature verifies against the chain: an expired certificate, or one
# not for code signing, signs without complaint, but does not verify.
function(sign_file file description)
  find_program(OSSLSIGNCODE osslsigncode REQUIRED)
  find_program(OPENSSL openssl REQUIRED)
  set(cert $ENV{PELMORA_SIGN_CERT})
  signing_secrets(secrets password)
  if(password)
    set(readpass -readpass ${password})
    set(passin file:${password})
  else()
    set(readpass "")
    set(passin pass:)
  endif()
  if(DEFINED ENV{PELMORA_SIGN_CA} AND NOT "$ENV{PELMORA_SIGN_CA}" STREQUAL "")
    set(chain $ENV{PELMORA_SIGN_CA})
  elseif(cert MATCHES "\\.(p12|pfx)$")
    set(chain ${secrets}/chain.pem)
    execute_process(COMMAND ${OPENSSL} pkcs12 -in ${cert} -nokeys -passin ${passin} -out ${chain}
                    OUTPUT_QUIET ERROR_VARIABLE why RESULT_VARIABLE failed)
    if(failed)
      file(REMOVE_RECURSE ${secrets})
      message(FATAL_ERROR "Cannot read the certificates of ${cert}: ${why}")
    endif()
  else()
    set(chain ${cert})
  endif()

  if(cert MATCHES "\\.(p12|pfx)$")
    set(credentials -pkcs12 ${cert})
  elseif(DEFINED ENV{PELMORA_SIGN_KEY})
    set(credentials -certs ${cert} -key $ENV{PELMORA_SIGN_KEY})
  else()
    file(REMOVE_RECURSE ${secrets})
    message(FATAL_ERROR "PELMORA_SIGN_CERT is a PEM certificate: PELMORA_SIGN_KEY must name its key")
  endif()
  if(DEFINED ENV{PELMORA_SIGN_TIMESTAMP_URL} AND NOT "$ENV{PELMORA_SIGN_TIMESTAMP_URL}" STREQUAL "")
    list(APPEND credentials -ts $ENV{PELMORA_SIGN_TIMESTAMP_URL})
  else()
    # Without a time-stamp server the signature's own time is the sources',
    # as every other time of the release; RSA (PKCS#1 v1.5) signatures are
    # deterministic, so one key signs the same files to the same bytes.
    list(APPEND credentials -time ${SOURCE_DATE_EPOCH})
  endif()
  # Signed into the private folder: makensis leaves the uninstaller in the
  # shared temporary folder, where a name beside it could be anyone's.
  set(signed ${secrets}/signed)
  execute_process(COMMAND ${OSSLSIGNCODE} sign ${credentials} ${readpass} -h sha256
                          -n "${description}" -in ${file} -out ${signed}
                  OUTPUT_QUIET ERROR_QUIET RESULT_VARIABLE failed)
  if(NOT failed)
    execute_process(COMMAND ${OSSLSIGNCODE} verify -CAfile ${chain} -in ${signed}
                    OUTPUT_VARIABLE report ERROR_VARIABLE report RESULT_VARIABLE unverified)
  endif()
  if(NOT failed AND NOT unverified)
    file(COPY_FILE ${signed} ${file})
  endif()
  file(REMOVE_RECURSE ${secrets})
  if(failed)
    message(FATAL_ERROR "signing ${file} failed: check the certificate, the key and PELMORA_SIGN_PASSWORD")
  endif()
  if(unverified)
    string(REGEX MATCHALL "[^\n]*(Verify error|Error)[^\n]*" why "${report}")
    list(REMOVE_DUPLICATES why)
    list(JOIN why "; " why)
    message(FATAL_ERROR "The signature of ${file} does not verify against ${chain}: ${why}")
  endif()
endfunction()
