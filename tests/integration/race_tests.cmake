# The race's run as the program (platform layer, shell, demo application) and over long stretches of
# the clock; each in an executable of its own, since the race keeps process-wide state from its first
# frame on. They need the generated world, textures and overlay artwork.
if(TARGET nym_assets AND IS_DIRECTORY ${CMAKE_SOURCE_DIR}/assets/textures
   AND IS_DIRECTORY ${CMAKE_SOURCE_DIR}/assets/print3d)
  nym_add_test(race_lap_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/race_lap_test.cpp
               LIBS nym_runner "$<LINK_GROUP:RESCAN,nym_race,nym_shell>" nym_assets)
  nym_add_test(race_frame_rates_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/race_frame_rates_test.cpp
               LIBS nym_runner "$<LINK_GROUP:RESCAN,nym_race,nym_shell>" nym_assets)
  nym_add_test(race_long_run_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/race_long_run_test.cpp
               LIBS "$<LINK_GROUP:RESCAN,nym_race,nym_shell>" nym_assets)
endif()
