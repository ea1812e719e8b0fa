# Video capture's build requirements: FFmpeg's encoding and muxing libraries (pkg-config); its tests also
# decode with them and convert the pictures back to RGB with libswscale.
# NYM_HAVE_VIDEO tells whether they are there; without them (or with -DNYM_VIDEO=OFF) the program is built
# without video encoding and refuses video captures.
option(NYM_VIDEO "Encode video captures with FFmpeg's libraries when they are installed" ON)
set(NYM_HAVE_VIDEO OFF)
find_package(PkgConfig QUIET)
if(NYM_VIDEO AND PkgConfig_FOUND)
  pkg_check_modules(NYM_FFMPEG QUIET IMPORTED_TARGET libavcodec libavformat libavutil)
  pkg_check_modules(NYM_SWSCALE QUIET IMPORTED_TARGET libswscale)
  if(NYM_FFMPEG_FOUND)
    set(NYM_HAVE_VIDEO ON)
  endif()
endif()
if(NYM_HAVE_VIDEO)
  message(STATUS "Video capture: on (libavcodec ${NYM_FFMPEG_libavcodec_VERSION})")
else()
  message(STATUS "Video capture: off (install libavcodec-dev, libavformat-dev, libswscale-dev and "
                 "libavutil-dev to build it)")
endif()
