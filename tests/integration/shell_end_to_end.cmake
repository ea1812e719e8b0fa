# The shell's test application run as a program: headless on Mesa, and on x11 under an Xvfb server of
# the test's own (input through XTest).
find_package(X11 REQUIRED)
nym_add_test(shell_end_to_end_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/shell_end_to_end_test.cpp
  LIBS nym_test_child nym_test_xvfb X11::X11 X11::Xtst)
target_compile_definitions(shell_end_to_end_test PRIVATE
  NYM_SHELL_TEST_PROGRAM="$<TARGET_FILE:nymbus-shell-test>")
add_dependencies(shell_end_to_end_test nymbus-shell-test)
