#!/bin/sh
# Sets up, builds (with AddressSanitizer and UBSan) and runs every test. Real-window tests run
# under a virtual X server with Mesa's software OpenGL.
set -eu
cd "$(dirname "$0")/.."
./scripts/setup.sh
cmake -S . -B build/test -DCMAKE_BUILD_TYPE=Debug -DQS_SANITIZE=ON >/dev/null
cmake --build build/test -j"$(nproc)"
export LIBGL_ALWAYS_SOFTWARE=1
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}"
# A fatal error in a test must never wait on a message box nobody can click.
export QS_NO_MESSAGE_BOX=1
cd build/test
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure -j"$(nproc)" "$@"
