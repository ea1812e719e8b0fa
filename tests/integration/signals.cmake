# SIGINT and SIGTERM (and an abort) during runs of the shell's test application and of the demo: captures
# whose reader takes nothing, videos, the validation's child process.
if(TARGET nym_test_video AND TARGET nymbus)
  nym_add_test(signals_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/signals_test.cpp
    LIBS nym_test_child nym_test_video)
  target_compile_definitions(signals_test PRIVATE NYM_PROGRAM="$<TARGET_FILE:nymbus>"
                             NYM_SHELL_TEST_PROGRAM="$<TARGET_FILE:nymbus-shell-test>")
  add_dependencies(signals_test nymbus nymbus-shell-test)
endif()
