# The shell's test application run as a program: headless on Mesa, and on x11 under an Xvfb server
# that xvfb-run starts for the test (input through XTest).
find_package(X11 REQUIRED)
nym_add_test(shell_end_to_end_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/shell_end_to_end_test.cpp
  LIBS X11::X11 X11::Xtst)
target_compile_definitions(shell_end_to_end_test PRIVATE
  NYM_SHELL_TEST_PROGRAM="$<TARGET_FILE:nymbus-shell-test>")
add_dependencies(shell_end_to_end_test nymbus-shell-test)

find_program(NYM_XVFB_RUN xvfb-run)
if(NYM_XVFB_RUN)
  add_test(NAME shell_end_to_end_x11
           COMMAND ${NYM_XVFB_RUN} -a -s "-screen 0 800x600x24 -nolisten tcp"
                   $<TARGET_FILE:shell_end_to_end_test> --gtest_filter=ShellX11.*)
  set_tests_properties(shell_end_to_end_x11 PROPERTIES ENVIRONMENT "NYM_SHELL_XVFB=1" TIMEOUT 120)
endif()
