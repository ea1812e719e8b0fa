# Compiler settings shared by every target of the project.

add_compile_options(-Wall -Wextra -Wpedantic)

# Our CI turns warnings into errors; a user's or packager's build with another compiler only warns.
option(NYM_WERROR "Treat warnings in project code as errors" OFF)
if(NYM_WERROR)
  add_compile_options(-Werror)
endif()

# Bit-exact single-precision float: no fused multiply-add, no excess precision, no fast-math.
add_compile_options(-ffp-contract=off -fno-fast-math)
if(CMAKE_SYSTEM_PROCESSOR MATCHES "x86_64|AMD64|i[3-6]86" AND NOT EMSCRIPTEN)
  add_compile_options(-msse2 -mfpmath=sse)
endif()

# -DNYM_SANITIZE=address,undefined builds everything with the named sanitizers.
set(NYM_SANITIZE "" CACHE STRING "Comma-separated sanitizers to build with (e.g. address,undefined)")
if(NYM_SANITIZE)
  add_compile_options(-fsanitize=${NYM_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=${NYM_SANITIZE})
endif()
