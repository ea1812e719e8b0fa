# The frame reports and the validation against reference frames: faults planted in the race run in
# child processes (the race keeps process-wide state from its first frame on), and the program itself.
if(TARGET nym_assets AND IS_DIRECTORY ${CMAKE_SOURCE_DIR}/assets/textures
   AND IS_DIRECTORY ${CMAKE_SOURCE_DIR}/assets/print3d)
  nym_add_test(reference_faults_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/reference_faults_test.cpp
               LIBS nym_runner "$<LINK_GROUP:RESCAN,nym_race,nym_shell>" nym_assets)
  target_compile_definitions(reference_faults_test PRIVATE NYM_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  find_package(nlohmann_json REQUIRED)
  nym_add_test(report_run_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/report_run_test.cpp
               LIBS nym_png nym_test_child nlohmann_json::nlohmann_json)
  target_compile_definitions(report_run_test PRIVATE NYM_PROGRAM="$<TARGET_FILE:nymbus>"
                             NYM_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  add_dependencies(report_run_test nymbus)
  # References and lists that a user may have been sent.
  find_package(ZLIB REQUIRED)
  nym_add_test(hostile_references_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/hostile_references_test.cpp
               LIBS nym_test_child ZLIB::ZLIB)
  target_compile_definitions(hostile_references_test PRIVATE NYM_PROGRAM="$<TARGET_FILE:nymbus>")
  add_dependencies(hostile_references_test nymbus)
endif()
