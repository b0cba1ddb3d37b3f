# Cross-build for 32-bit Windows with mingw-w64 (POSIX thread model): the product.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(PELMORA_MINGW_TRIPLE i686-w64-mingw32)
# How the C compiler decorates a symbol's name on this target.
set(PELMORA_SYMBOL_PREFIX "_")
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
