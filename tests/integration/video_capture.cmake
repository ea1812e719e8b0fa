# The demo recording video files, read back and decoded (with video encoding only).
if(TARGET nym_test_video AND TARGET nymbus)
  nym_add_test(video_capture_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/video_capture_test.cpp
    LIBS nym_runner nym_test_child nym_test_tmpfs nym_test_video)
  target_compile_definitions(video_capture_test PRIVATE NYM_PROGRAM="$<TARGET_FILE:nymbus>")
  add_dependencies(video_capture_test nymbus)
endif()
