# The web build (Emscripten): the demo compiled to WebAssembly, drawn through WebGL 1, its page in web/.
# scripts/build-web configures it in a folder of its own and assembles the site in out/web/.

# nym_web_library(TARGET file.js): a library of the module's JavaScript that TARGET's code calls; every
# executable linked with TARGET gets it.
function(nym_web_library target js)
  set(path ${CMAKE_CURRENT_SOURCE_DIR}/${js})
  target_link_options(${target} INTERFACE "SHELL:--js-library ${path}")
  set_property(TARGET ${target} APPEND PROPERTY INTERFACE_LINK_DEPENDS ${path})
endfunction()

# nlohmann-json is header-only: the host's headers, seen from a folder that holds nothing else (the
# host's include folder would hide the C library that Emscripten brings).
find_path(NYM_HOST_NLOHMANN_DIR nlohmann/json.hpp PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH REQUIRED)
set(NYM_WEB_INCLUDE ${CMAKE_BINARY_DIR}/host-include)
file(MAKE_DIRECTORY ${NYM_WEB_INCLUDE})
file(CREATE_LINK ${NYM_HOST_NLOHMANN_DIR}/nlohmann ${NYM_WEB_INCLUDE}/nlohmann SYMBOLIC)
add_library(nym_web_json INTERFACE)
target_include_directories(nym_web_json SYSTEM INTERFACE ${NYM_WEB_INCLUDE})
add_library(nlohmann_json::nlohmann_json ALIAS nym_web_json)

# The functions on the way from main to the points where the module waits for the browser: the next
# animation frame in the window backend's message pump, and the page's work for --validate (a fresh
# module for each screen size, the reference pictures). Only these are instrumented by ASYNCIFY, which
# saves and restores their stack; indirect calls among them are listed by their targets. At -O3 Binaryen
# inlines runProgram, RunShell and runValidation into their callers before it instruments them, and
# warns that their patterns match nothing.
set(NYM_WEB_ASYNC_IMPORTS nym_page_next_frame nym_page_run_module nym_page_fetch_text nym_page_fetch_picture)
set(NYM_WEB_ASYNC_FUNCTIONS
  main
  runner::runProgram*
  ShellMain*
  RunShell*
  NativeShell::RunMainLoop*
  NativeShell::PresentFrame*
  platform::peekMessage*
  *WebBackend::poll*
  runner::validation::runValidation*
  runner::validation::*)
list(JOIN NYM_WEB_ASYNC_IMPORTS "','" imports)
list(JOIN NYM_WEB_ASYNC_FUNCTIONS "','" functions)
set(NYM_WEB_LINK_OPTIONS
  -sENVIRONMENT=web
  -sMODULARIZE=1
  -sEXPORT_NAME=createNymbus
  -sEXIT_RUNTIME=1
  -sALLOW_MEMORY_GROWTH=1
  -sINITIAL_MEMORY=64MB
  -sMIN_WEBGL_VERSION=1
  -sMAX_WEBGL_VERSION=1
  -sASYNCIFY=1
  "-sASYNCIFY_IMPORTS=['${imports}']"
  "-sASYNCIFY_ONLY=['${functions}']"
  "-sEXPORTED_RUNTIME_METHODS=['FS','callMain']")
