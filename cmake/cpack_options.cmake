# Read by cpack for each package generator. The Debian package follows Debian's layout for games
# (the program in /usr/games), which only a build configured for it installs.
if(CPACK_GENERATOR STREQUAL "DEB" AND NOT CPACK_QS_GAMES_LAYOUT)
  message(FATAL_ERROR "The Debian package needs a build configured with -DQS_GAMES_LAYOUT=ON; "
                      "./scripts/package.sh makes one")
endif()
