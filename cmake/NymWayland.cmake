# The Wayland window backend's build requirements: the client libraries and xkbcommon (pkg-config),
# wayland-scanner, and the protocol files of wayland-protocols. NYM_HAVE_WAYLAND tells whether they are all
# there; without them the program is built without the backend.
set(NYM_HAVE_WAYLAND OFF)
find_package(PkgConfig QUIET)
if(PkgConfig_FOUND)
  pkg_check_modules(NYM_WAYLAND QUIET IMPORTED_TARGET wayland-client wayland-egl xkbcommon)
  pkg_get_variable(NYM_WAYLAND_PROTOCOLS_DIR wayland-protocols pkgdatadir)
  pkg_get_variable(NYM_WAYLAND_SCANNER wayland-scanner wayland_scanner)
  if(NYM_WAYLAND_FOUND AND NYM_WAYLAND_PROTOCOLS_DIR AND NYM_WAYLAND_SCANNER
     AND EXISTS "${NYM_WAYLAND_SCANNER}")
    set(NYM_HAVE_WAYLAND ON)
  endif()
endif()
if(NYM_HAVE_WAYLAND)
  message(STATUS "Wayland backend: on (protocols from ${NYM_WAYLAND_PROTOCOLS_DIR})")
else()
  message(STATUS "Wayland backend: off (install libwayland-dev, libwayland-bin, wayland-protocols and "
                 "libxkbcommon-dev to build it)")
endif()

# nym_wayland_protocols(TARGET xml...): generates the client header and code of each protocol (paths
# relative to the wayland-protocols folder) into the build folder and adds them to TARGET.
function(nym_wayland_protocols target)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/wayland-protocols)
  file(MAKE_DIRECTORY ${out})
  foreach(xml IN LISTS ARGN)
    get_filename_component(name ${xml} NAME_WE)
    set(source ${NYM_WAYLAND_PROTOCOLS_DIR}/${xml})
    add_custom_command(
      OUTPUT ${out}/${name}-client-protocol.h ${out}/${name}-protocol.c
      COMMAND ${NYM_WAYLAND_SCANNER} client-header ${source} ${out}/${name}-client-protocol.h
      COMMAND ${NYM_WAYLAND_SCANNER} private-code ${source} ${out}/${name}-protocol.c
      DEPENDS ${source}
      VERBATIM)
    target_sources(${target} PRIVATE ${out}/${name}-client-protocol.h ${out}/${name}-protocol.c)
    # Generated code: not held to the project's warnings.
    set_source_files_properties(${out}/${name}-protocol.c PROPERTIES COMPILE_OPTIONS -w)
  endforeach()
  target_include_directories(${target} PRIVATE ${out})
endfunction()
