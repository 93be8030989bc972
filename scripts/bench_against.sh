#!/bin/sh
# Builds this tree's whole-game benchmark (bench/game_bench.cpp) against another checkout's Release
# build, so the same benchmark gives "before" figures for older code. Nothing is written in the
# other checkout.
#   scripts/bench_against.sh OTHER_TREE OUTPUT_PROGRAM
# OTHER_TREE must hold a Release build in build/release (its libquillstorm_*.a).
set -eu
other=$(cd "$1" && pwd)
out=$2
here=$(cd "$(dirname "$0")/.." && pwd)
lib=$other/build/release
c++ -O3 -DNDEBUG -std=gnu++20 -I"$other/src" -I"$here/bench" "$here/bench/game_bench.cpp" -o "$out" \
    "$lib/libquillstorm_flow.a" "$lib/libquillstorm_menus.a" "$lib/libquillstorm_game.a" \
    "$lib/libquillstorm_save.a" "$lib/libquillstorm_presentation.a" "$lib/libquillstorm_shell.a" \
    "$lib/libquillstorm_sprites.a" "$lib/libquillstorm_media.a" \
    -lSDL2 -lepoxy -lopenal -lpng16 -lvorbisfile -lvorbisenc -lvorbis -logg -ljpeg -lpthread
