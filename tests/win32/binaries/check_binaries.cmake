# Checks what the program imports and what its settings library exports:
# the exe may import Windows' own DLLs and OvMohReg.dll, nothing else; the
# library exports exactly its seven calls, undecorated. Both are built for
# MACHINE (objdump's name: i386, x86-64) with ASLR and DEP, no section both
# writable and executable, and neither debug information nor a build path;
# the library and PelmoraCtl, which copy texts from outside into fixed
# buffers, carry the stack protector. Nothing here runs them, so it holds on
# every machine. Without DLL, only EXE's own rules are checked.
# Run: cmake -DOBJDUMP=... -DEXE=... [-DDLL=...] -DMACHINE=... -DBUILD_PATHS=... -P check_binaries.cmake
cmake_minimum_required(VERSION 3.25)
# objdump's words are matched below: in English, whatever the builder's locale.
set(ENV{LC_ALL} C)
set(allowed_imports ADVAPI32.DLL COMCTL32.DLL GDI32.DLL KERNEL32.DLL MSVCRT.DLL USER32.DLL OVMOHREG.DLL)
set(wanted_exports CheckSerialModem disableMOH enableMOH enumOstvModem
    writeSwitchHookAccept writeSwitchHookReject writeSwitchHookResume)

# objdump's OPTION view of file; a rule never passes on a view that is empty.
function(dump option file out)
  execute_process(COMMAND ${OBJDUMP} ${option} ${file} OUTPUT_VARIABLE text RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "objdump cannot read ${file}")
  endif()
  if(NOT text MATCHES "file format")
    message(FATAL_ERROR "objdump says nothing of ${file}")
  endif()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

foreach(binary ${EXE} ${DLL})
  dump(-p ${binary} text)
  if(NOT text MATCHES "file format pei-${MACHINE}\n")
    message(SEND_ERROR "${binary} is not built for ${MACHINE}")
  endif()
  foreach(flag DYNAMIC_BASE NX_COMPAT)
    if(NOT text MATCHES "DllCharacteristics[^\n]*\n(\t+[A-Z_]+\n)*\t+${flag}\n")
      message(SEND_ERROR "${binary} lacks ${flag}")
    endif()
  endforeach()
  # objdump says READONLY for a section without write access, CODE for one
  # that may be executed.
  dump(-h ${binary} sections)
  string(REGEX MATCHALL "\n +[0-9]+ [^ ]+[^\n]*\n[^\n]+" sections "${sections}")
  if(NOT sections)
    message(FATAL_ERROR "objdump lists no sections of ${binary}")
  endif()
  foreach(section ${sections})
    string(REGEX MATCH "[0-9]+ ([^ ]+)" name "${section}")
    set(name ${CMAKE_MATCH_1})
    if(section MATCHES "CODE" AND NOT section MATCHES "READONLY")
      message(SEND_ERROR "${binary}: section ${name} is both writable and executable")
    endif()
    if(name MATCHES "^\\.(debug|stab|zdebug)")
      message(SEND_ERROR "${binary} carries debug information (${name})")
    endif()
  endforeach()
  file(STRINGS ${binary} texts)
  foreach(build_path ${BUILD_PATHS})
    string(FIND "${texts}" "${build_path}" at)
    if(NOT at EQUAL -1)
      message(SEND_ERROR "${binary} holds the build path ${build_path}")
    endif()
  endforeach()
  string(REGEX MATCHALL "DLL Name: [^\n]+" names "${text}")
  foreach(name ${names})
    string(REPLACE "DLL Name: " "" name "${name}")
    string(TOUPPER "${name}" name)
    if(NOT name IN_LIST allowed_imports)
      message(SEND_ERROR "${binary} imports ${name}")
    endif()
  endforeach()
endforeach()

# The guard routines of our own seed the guard with RtlGenRandom, which
# ADVAPI32 exports as SystemFunction036; the linker takes them in only for
# code built with the stack protector.
function(check_stack_protector binary)
  dump(-p ${binary} text)
  if(NOT text MATCHES "\tDLL Name: ADVAPI32.dll\n[^\n]*\n(\t[^\n]+\n)*\t[ 0-9a-f]+\t +[0-9]+ +SystemFunction036\n")
    message(SEND_ERROR "${binary} is built without the stack protector")
  endif()
endfunction()
if(EXE MATCHES "PelmoraCtl")
  check_stack_protector(${EXE})
endif()
if(NOT DEFINED DLL)
  return()
endif()
check_stack_protector(${DLL})

dump(-p ${EXE} text)
if(NOT text MATCHES "DLL Name: OvMohReg.dll")
  message(SEND_ERROR "${EXE} does not import OvMohReg.dll at load time")
endif()

dump(-p ${DLL} text)
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

# The manifest that the exe carries: the supported Windows versions (7, 8,
# 8.1, 10/11) for both programs; for the dialog also common controls 6, the
# elevation request and per-monitor DPI; the console program runs as invoked,
# since an elevation prompt would hang the scripts that call it.
file(STRINGS ${EXE} manifest REGEX "<")
string(JOIN "\n" manifest ${manifest})
set(wanted_in_manifest
    "supportedOS Id=\"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}\""
    "supportedOS Id=\"{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}\""
    "supportedOS Id=\"{1f676c76-80e1-4239-95bb-83d0f6d0da78}\""
    "supportedOS Id=\"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\"")
if(EXE MATCHES "PelmoraCtl")
  list(APPEND wanted_in_manifest "requestedExecutionLevel level=\"asInvoker\"")
else()
  list(APPEND wanted_in_manifest
       "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""
       "requestedExecutionLevel level=\"requireAdministrator\""
       ">true/pm</dpiAware>"
       ">PerMonitorV2</dpiAwareness>")
endif()
foreach(wanted ${wanted_in_manifest})
  string(FIND "${manifest}" "${wanted}" at)
  if(at EQUAL -1)
    message(SEND_ERROR "the manifest of ${EXE} lacks ${wanted}")
  endif()
endforeach()
