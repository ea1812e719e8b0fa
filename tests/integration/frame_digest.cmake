# The frame digest of the program's own runs.
if(TARGET nymbus)
  nym_add_test(frame_digest_run_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/frame_digest_run_test.cpp
               LIBS nym_test_child)
  target_compile_definitions(frame_digest_run_test PRIVATE NYM_PROGRAM="$<TARGET_FILE:nymbus>")
  add_dependencies(frame_digest_run_test nymbus)
endif()
