# What `cmake --install` puts under the prefix, and the Debian package `cpack -G DEB` makes of it:
# the demo, its reference frames (found from the executable's folder), the man page, a desktop entry
# with the program's icon, and the README as documentation.
include(GNUInstallDirs)

if(TARGET nymbus)
  install(TARGETS nymbus RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(FILES tests/references/frames.txt DESTINATION ${CMAKE_INSTALL_DATADIR}/nymbus/references)
install(DIRECTORY tests/references/ DESTINATION ${CMAKE_INSTALL_DATADIR}/nymbus/references
        FILES_MATCHING PATTERN "*.png")

# The man page, compressed as Debian keeps them (no name or time stamp in the gzip header).
find_program(NYM_GZIP gzip REQUIRED)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/nymbus.1.gz
                   COMMAND ${NYM_GZIP} -9n -c ${CMAKE_SOURCE_DIR}/docs/nymbus.1 > ${CMAKE_BINARY_DIR}/nymbus.1.gz
                   DEPENDS ${CMAKE_SOURCE_DIR}/docs/nymbus.1 VERBATIM)
add_custom_target(nymbus_man_page ALL DEPENDS ${CMAKE_BINARY_DIR}/nymbus.1.gz)
install(FILES ${CMAKE_BINARY_DIR}/nymbus.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The desktop entry and the icon, drawn by the asset tool from the logo's emblem at each size.
install(FILES packaging/nymbus.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
set(NYM_ICON_SIZES 48x48 64x64 128x128 256x256)
set(NYM_ICONS)
foreach(size ${NYM_ICON_SIZES})
  list(APPEND NYM_ICONS ${CMAKE_BINARY_DIR}/icons/hicolor/${size}/apps/nymbus.png)
endforeach()
add_custom_command(OUTPUT ${NYM_ICONS}
                   COMMAND nymbus-assetgen --icons ${CMAKE_BINARY_DIR}/icons
                   DEPENDS nymbus-assetgen VERBATIM)
add_custom_target(nymbus_icons ALL DEPENDS ${NYM_ICONS})
install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)

# The README with the pictures it shows.
install(FILES README.md DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/nymbus)
install(DIRECTORY docs/ DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/nymbus/docs FILES_MATCHING PATTERN "*.png")

# The Debian package: its Depends are the libraries the program links (found by dpkg-shlibdeps) and the
# OpenGL ES and EGL libraries it loads at run time (either OpenGL ES library will do).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME nymbus)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Nymbus maintainers <maintainers@users.noreply.c-seed-347c5547.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "self-running 3D racing demo, OpenGL ES 1.x benchmark and conformance check")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "Three cars race round a 14-section circuit while the camera cuts between chase, trackside, dolly and\n"
       "in-car views, on a bit-exact 16.16 fixed-point engine drawing through OpenGL ES 1.x and EGL (or, through\n"
       "its own translation, OpenGL ES 2.0). It records videos and screenshots, times a lap as a benchmark and\n"
       "checks a driver against reference frames.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libgles1 | libgles2, libegl1, libegl-mesa0, libgl1-mesa-dri")
include(CPack)
