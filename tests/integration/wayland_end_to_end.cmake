# The shell's test application and the demo as programs under a headless Weston of the test's own.
if(NYM_HAVE_WAYLAND)
  nym_add_test(wayland_end_to_end_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/wayland_end_to_end_test.cpp
    LIBS nym_runner nym_test_weston nym_test_xvfb)
  target_compile_definitions(wayland_end_to_end_test PRIVATE
    NYM_SHELL_TEST_PROGRAM="$<TARGET_FILE:nymbus-shell-test>")
  add_dependencies(wayland_end_to_end_test nymbus-shell-test)
  # The demo executable exists when its assets do.
  if(TARGET nymbus)
    target_compile_definitions(wayland_end_to_end_test PRIVATE NYM_PROGRAM="$<TARGET_FILE:nymbus>")
    add_dependencies(wayland_end_to_end_test nymbus)
  endif()
endif()
