# Checks what the program imports and what its settings library exports:
# the exe may import Windows' own DLLs and OvMohReg.dll, nothing else; the
# library exports exactly its seven calls, undecorated.
# Run: cmake -DOBJDUMP=... -DEXE=... -DDLL=... -P check_binaries.cmake
cmake_minimum_required(VERSION 3.25)
set(allowed_imports ADVAPI32.DLL COMCTL32.DLL GDI32.DLL KERNEL32.DLL MSVCRT.DLL USER32.DLL OVMOHREG.DLL)
set(wanted_exports CheckSerialModem disableMOH enableMOH enumOstvModem
    writeSwitchHookAccept writeSwitchHookReject writeSwitchHookResume)

function(dump file out)
  execute_process(COMMAND ${OBJDUMP} -p ${file} OUTPUT_VARIABLE text RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "objdump cannot read ${file}")
  endif()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

foreach(binary ${EXE} ${DLL})
  dump(${binary} text)
  string(REGEX MATCHALL "DLL Name: [^\n]+" names "${text}")
  foreach(name ${names})
    string(REPLACE "DLL Name: " "" name "${name}")
    string(TOUPPER "${name}" name)
    if(NOT name IN_LIST allowed_imports)
      message(SEND_ERROR "${binary} imports ${name}")
    endif()
  endforeach()
endforeach()

dump(${EXE} text)
if(NOT text MATCHES "DLL Name: OvMohReg.dll")
  message(SEND_ERROR "${EXE} does not import OvMohReg.dll at load time")
endif()

dump(${DLL} text)
string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table[^\n]*\n(([ \t]+\\[[^\n]+\n)+)" table "${text}")
# Brackets would split CMake lists: drop them before listing the names.
string(REGEX REPLACE "[][]" " " table "${CMAKE_MATCH_1}")
string(REGEX MATCHALL "[0-9]+ +[A-Za-z_][A-Za-z0-9_@?]*" exported "${table}")
list(TRANSFORM exported REPLACE "^[0-9]+ +" "")
list(SORT exported)
if(NOT exported STREQUAL wanted_exports)
  message(SEND_ERROR "OvMohReg.dll exports [${exported}], not [${wanted_exports}]")
endif()
message(STATUS "OvMohReg.dll exports: ${exported}")
