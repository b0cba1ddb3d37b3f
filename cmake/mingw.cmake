# Shared part of the mingw-w64 toolchains; the including file sets
# PELMORA_MINGW_TRIPLE and CMAKE_SYSTEM_PROCESSOR first.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${PELMORA_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PELMORA_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${PELMORA_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${PELMORA_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# No MinGW run-time DLLs beside the binaries: libgcc, libstdc++ and
# winpthread are linked in, leaving only Windows' own DLLs to import.
# The C++ run-time's default terminate handler prints the uncaught exception's
# type, which links in its demangler, a sixth of each program: ours abort
# plainly instead (the dialog catches every exception before that anyway).
set(CMAKE_EXE_LINKER_FLAGS_INIT
    "-static -Wl,--defsym=${PELMORA_SYMBOL_PREFIX}_ZN9__gnu_cxx27__verbose_terminate_handlerEv=${PELMORA_SYMBOL_PREFIX}abort")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
# Release binaries carry no symbol tables.
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")
set(CMAKE_SHARED_LINKER_FLAGS_RELEASE_INIT "-s")
