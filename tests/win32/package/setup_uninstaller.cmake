# setup_uninstaller(SETUP OUT): writes to OUT the Uninstall.exe that the
# NSIS setup program SETUP carries, to be checked without running it. After
# the stub comes NSIS's first header (flags, 0xDEADBEEF, "NullsoftInst",
# two lengths), then data blocks, each a 32-bit length (top bit: LZMA
# compressed) and its bytes. A finalized uninstaller (!uninstfinalize) is
# one whole block: the program that itself carries a first header.
function(setup_uninstaller setup out)
  file(READ ${setup} hex HEX)
  # A little-endian 32-bit number at byte offset `at`.
  macro(number at result)
    math(EXPR digit "(${at}) * 2")
    string(SUBSTRING "${hex}" ${digit} 8 bytes)
    string(REGEX REPLACE "(..)(..)(..)(..)" "\\4\\3\\2\\1" bytes "${bytes}")
    math(EXPR ${result} "0x${bytes}")
  endmacro()
  string(FIND "${hex}" "efbeadde4e756c6c736f6674496e7374" signature)
  if(signature EQUAL -1)
    message(FATAL_ERROR "${setup} is no NSIS setup program")
  endif()
  math(EXPR start "${signature} / 2 - 4")
  number("${start} + 24" length)
  math(EXPR end "${start} + ${length}")
  math(EXPR block "${start} + 28")
  while(block LESS end)
    number(${block} size)
    math(EXPR compressed "${size} & 0x80000000")
    math(EXPR size "${size} & 0x7fffffff")
    math(EXPR data "${block} + 4")
    math(EXPR block "${data} + ${size}")
    if(NOT compressed)
      continue()
    endif()
    # LZMA's properties, an unknown size, the stream: what xz reads as .lzma.
    execute_process(COMMAND sh -c "{ head -c $(($2 + 5)) \"$1\" | tail -c 5; printf '\\377\\377\\377\\377\\377\\377\\377\\377';
                                     head -c $(($2 + $3)) \"$1\" | tail -c $(($3 - 5)); } | xz -dc --format=lzma"
                            sh ${setup} ${data} ${size}
                    OUTPUT_FILE ${out} ERROR_QUIET)
    file(READ ${out} head LIMIT 2 HEX)
    file(STRINGS ${out} carries REGEX "NullsoftInst")
    if(head STREQUAL "4d5a" AND carries)
      return()
    endif()
  endwhile()
  file(REMOVE ${out})
  message(FATAL_ERROR "${setup} carries no uninstaller")
endfunction()
