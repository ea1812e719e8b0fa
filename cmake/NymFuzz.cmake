# -DNYM_FUZZ=ON (Clang only) builds the libFuzzer executables of fuzz/: every target of the project is
# compiled with coverage instrumentation, and the sanitizers default to address,undefined.
option(NYM_FUZZ "Build the libFuzzer executables (Clang only)" OFF)
if(NYM_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "NYM_FUZZ needs Clang (libFuzzer); configure with CXX=clang++ CC=clang")
  endif()
  if(NOT NYM_SANITIZE)
    # The coverage callbacks come with the sanitizer runtimes, so a fuzzing build always has one.
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
    add_link_options(-fsanitize=address,undefined)
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link
                      -fsanitize-coverage-ignorelist=${CMAKE_CURRENT_SOURCE_DIR}/fuzz/coverage-ignore.txt)
endif()
