# Writes the C++ equivalent of an assembly file that embeds files with .incbin: each symbol becomes an
# array of the same bytes, 4-byte aligned, under the same C name. For compilers whose assembler cannot
# embed files (WebAssembly); the committed assembly files stay what the asset tool writes.
#
#   cmake -DSOURCE=file.S -DBASE=folder -DOUTPUT=file.cpp -P NymIncbinSource.cmake
# BASE is the folder that the .incbin paths are relative to.
file(STRINGS ${SOURCE} lines)
get_filename_component(name ${SOURCE} NAME)
set(code "// Generated at build time from ${name}: the embedded files as arrays of their bytes.\nextern \"C\" {\n")
set(symbol "")
foreach(line IN LISTS lines)
  if(line MATCHES "^([A-Za-z_][A-Za-z0-9_]*):$")
    set(symbol ${CMAKE_MATCH_1})
  elseif(line MATCHES "^[ \t]*\\.incbin[ \t]+\"([^\"]+)\"")
    if(NOT symbol)
      message(FATAL_ERROR "${SOURCE}: .incbin \"${CMAKE_MATCH_1}\" without a symbol before it")
    endif()
    file(READ ${BASE}/${CMAKE_MATCH_1} hex HEX)
    # A string literal of \x escapes: each ends at the backslash of the next, so no digit runs on.
    string(REGEX REPLACE "(..)" "\\\\x\\1" bytes "${hex}")
    string(APPEND code "extern const unsigned char ${symbol}[];\n"
                       "alignas(4) const unsigned char ${symbol}[] = \"${bytes}\";\n")
    set(symbol "")
  endif()
endforeach()
string(APPEND code "}\n")
file(WRITE ${OUTPUT}.part "${code}")
file(RENAME ${OUTPUT}.part ${OUTPUT})
