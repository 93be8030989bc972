#!/bin/sh
# Sets up, builds (with AddressSanitizer and UBSan, compiler warnings as errors) and runs every
# test, the Debian package's among them. Real-window tests run under a virtual X server with
# Mesa's software OpenGL.
set -eu
cd "$(dirname "$0")/.."
./scripts/setup.sh
cmake -S . -B build/test -DCMAKE_BUILD_TYPE=Debug -DQS_SANITIZE=ON -DQS_WERROR=ON >/dev/null
cmake --build build/test -j"$(nproc)"
export LIBGL_ALWAYS_SOFTWARE=1
# A fatal error in a test must never wait on a message box nobody can click.
export QS_NO_MESSAGE_BOX=1
cd build/test
# Leak checking covers our code; the real-window tests run without it because the X, D-Bus, ALSA
# and Mesa libraries keep allocations to the end, some in modules unloaded before the check.
ASAN_OPTIONS=detect_leaks=1 ctest --output-on-failure -j"$(nproc)" -E '^(SdlWindowTest|ProgramTest|SceneryWindowTest)\.' "$@"
ASAN_OPTIONS=detect_leaks=0 xvfb-run -a -s "-screen 0 1280x1024x24" \
    ctest --output-on-failure -j"$(nproc)" -R '^(SdlWindowTest|ProgramTest|SceneryWindowTest)\.' "$@"
# Five minutes of game time over many games with the sanitized build: no crash, no sanitizer
# report, no growth in resident memory.
cd ../..
./scripts/soak.sh 5 build/test/quillstorm
