#!/bin/sh
# Measures how fast Quillstorm starts in its window, as a player sees it: the Release build, the
# median of RUNS runs (default 5) of each figure, in milliseconds.
#   first frame  launch to the first presented frame (the run ends right after it)
#   Load Time    the loading screen's own figure, from the panel's slide-in to the end of loading
#   title        launch to the first frame the title's buttons take input
# The last two come from one run that skips the logos with a click and presses Escape every frame,
# which ends the game as soon as the title takes it.
# Without a display it runs under a virtual X server with software OpenGL.
#   scripts/startup.sh [RUNS]
set -eu
cd "$(dirname "$0")/.."
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" env LIBGL_ALWAYS_SOFTWARE=1 "$0" "$@"
fi
runs=${1:-5}
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DQS_TESTS=OFF -DQS_BENCH=OFF >/dev/null
cmake --build build/release -j"$(nproc)" --target quillstorm >/dev/null
game="build/release/quillstorm --windowed --data build/release/gamedata"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
{
    echo "2 click 1"
    i=3
    while [ $i -le 20000 ]; do
        echo "$i key ESC"
        i=$((i + 1))
    done
} >"$work/title.txt"

now_ms() { echo $(($(date +%s%N) / 1000000)); }
median() { printf '%s\n' "$@" | sort -n | sed -n "$((($# + 1) / 2))p"; }

first="" load="" title=""
run=1
while [ $run -le "$runs" ]; do
    start=$(now_ms)
    $game --frames 1 >/dev/null 2>&1
    first="$first $(($(now_ms) - start))"
    start=$(now_ms)
    $game --frames 30000 --script "$work/title.txt" >"$work/log.txt" 2>&1
    title="$title $(($(now_ms) - start))"
    load="$load $(sed -n 's/^Load Time = //p' "$work/log.txt")"
    run=$((run + 1))
done
# shellcheck disable=SC2086
{
    echo "first frame:$first ms, median $(median $first)"
    echo "Load Time:  $load ms, median $(median $load)"
    echo "title:      $title ms, median $(median $title)"
}
