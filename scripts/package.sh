#!/bin/sh
# Builds the Debian package (Release, in Debian's layout for games) into build/deb/, or into the
# folder given. Install it with: sudo apt install ./build/deb/quillstorm_*.deb
set -eu
cd "$(dirname "$0")/.."
./scripts/setup.sh
build="${1:-build/deb}"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DQS_TESTS=OFF -DQS_BENCH=OFF -DQS_GAMES_LAYOUT=ON \
    -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
cmake --build "$build" -j"$(nproc)"
rm -f "$build"/quillstorm_*.deb
(cd "$build" && cpack -G DEB)
ls "$build"/quillstorm_*.deb
