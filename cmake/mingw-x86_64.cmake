# Cross-build of the same sources for 64-bit Windows: the 64-bit edition,
# which the 32-bit build's release packs beside its own; on machines that
# execute 64-bit code only, where Wine cannot start a 32-bit program, the
# Windows tests run on it.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(PELMORA_MINGW_TRIPLE x86_64-w64-mingw32)
# How the C compiler decorates a symbol's name on this target.
set(PELMORA_SYMBOL_PREFIX "")
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
