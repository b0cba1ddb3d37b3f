# compare_builds(FIRST SECOND FILES...): FIRST's files against SECOND's,
# byte for byte, failing on the first that differs. A signed release (its
# setup program carries a signature) is compared with its signatures set
# aside, since every signature holds its own signing time: the binaries as
# built, and the zip's files with their signatures removed. The setup
# program and the MSI hold signed files packed, and the bill of materials
# and SHA256SUMS their hashes: those are not compared then, and are named.
# Including this file clears the signing variables: the second build, made
# to be compared, signs nothing with whatever key the builder left set.
foreach(variable CERT KEY PASSWORD CA TIMESTAMP_URL)
  unset(ENV{PELMORA_SIGN_${variable}})
endforeach()

# differing_files(OUT FIRST SECOND FILES...): those of FILES whose bytes in
# folder FIRST are not those in folder SECOND, in the order given.
function(differing_files out first second)
  set(found "")
  foreach(file ${ARGN})
    file(SHA256 ${first}/${file} one)
    file(SHA256 ${second}/${file} other)
    if(NOT one STREQUAL other)
      list(APPEND found ${file})
    endif()
  endforeach()
  set(${out} "${found}" PARENT_SCOPE)
endfunction()

function(compare_builds first second)
  set(signed FALSE)
  foreach(file ${ARGN})
    if(file MATCHES "\\.exe$" AND NOT file MATCHES "/")
      execute_process(COMMAND osslsigncode extract-signature -in ${first}/${file} -out ${second}/signature.p7
                      OUTPUT_QUIET ERROR_QUIET RESULT_VARIABLE unsigned)
      file(REMOVE ${second}/signature.p7)
      if(NOT unsigned)
        set(signed TRUE)
      endif()
    endif()
  endforeach()
  differing_files(differing ${first} ${second} ${ARGN})
  set(set_aside "")
  foreach(file ${differing})
    if(NOT signed OR file MATCHES "/")
      message(FATAL_ERROR "${file} differs between two builds of the same sources")
    elseif(NOT file MATCHES "\\.zip$")
      list(APPEND set_aside ${file})
      continue()
    endif()
    foreach(side first second)
      file(REMOVE_RECURSE ${second}/unpacked-${side})
      file(MAKE_DIRECTORY ${second}/unpacked-${side})
      execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${${side}}/${file}
                      WORKING_DIRECTORY ${second}/unpacked-${side} COMMAND_ERROR_IS_FATAL ANY)
      file(GLOB_RECURSE ${side}_files RELATIVE ${second}/unpacked-${side} ${second}/unpacked-${side}/*)
      foreach(member ${${side}_files})
        set(path ${second}/unpacked-${side}/${member})
        execute_process(COMMAND osslsigncode remove-signature -in ${path} -out ${path}.unsigned
                        OUTPUT_QUIET ERROR_QUIET RESULT_VARIABLE unsigned)
        if(NOT unsigned)
          file(RENAME ${path}.unsigned ${path})
        endif()
        file(REMOVE ${path}.unsigned)
      endforeach()
    endforeach()
    if(NOT first_files STREQUAL second_files)
      message(FATAL_ERROR "${file} holds [${first_files}] in one build, [${second_files}] in the other")
    endif()
    differing_files(members ${second}/unpacked-first ${second}/unpacked-second ${first_files})
    if(members)
      list(GET members 0 member)
      message(FATAL_ERROR "${member} in ${file} differs between two builds of the same sources, signatures set aside")
    endif()
  endforeach()
  if(set_aside)
    message(STATUS "Signed: not compared, since they hold signatures or their hashes: ${set_aside}")
  endif()
endfunction()
