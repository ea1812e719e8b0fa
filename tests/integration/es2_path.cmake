# The demo through the OpenGL ES 1.1 translation, run as a program on Mesa off-screen and in an Xvfb
# window.
if(TARGET nymbus)
  nym_add_test(es2_path_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/es2_path_test.cpp
               LIBS nym_runner nym_test_child nym_test_xvfb)
  target_compile_definitions(es2_path_test PRIVATE NYM_PROGRAM="$<TARGET_FILE:nymbus>")
  add_dependencies(es2_path_test nymbus)
endif()
