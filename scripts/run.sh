#!/bin/sh
# Sets up, builds and starts Quillstorm. Extra arguments go to the game (for example --windowed).
set -eu
cd "$(dirname "$0")/.."
./scripts/setup.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DQS_TESTS=OFF -DQS_BENCH=OFF >/dev/null
cmake --build build/release -j"$(nproc)"
exec build/release/quillstorm --data build/release/gamedata "$@"
