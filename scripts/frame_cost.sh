#!/bin/sh
# CPU time per play frame of Quillstorm in its real window, as a player's machine pays it: the
# game started at a stage (--stage), the ship firing and sweeping from side to side, the same
# input and seed every run. Each figure is the CPU time (user + system, all threads, from
# /usr/bin/time) of a run of LONG frames minus that of a run of SHORT frames, divided by the
# difference, so loading does not count; the median of RUNS runs. Without a display it runs
# under a virtual X server with software OpenGL (Mesa llvmpipe).
#   scripts/frame_cost.sh BUILD_DIR [RUNS] [STAGES...]
# BUILD_DIR holds quillstorm and gamedata (e.g. build/release). Extra game options come from
# QS_ARGS (e.g. QS_ARGS="--fps 0" to measure uncapped). SHORT and LONG default to 400 and 1000.
set -eu
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" env LIBGL_ALWAYS_SOFTWARE=1 "$0" "$@"
fi
build=$1
runs=${2:-3}
shift 2 || shift $#
stages=${*:-0 24 54}
short=${SHORT:-400}
long=${LONG:-1000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
awk -v n="$long" 'BEGIN { print "0 down 1"; for (f = 1; f < n; f++) {
    p = f % 300; printf "%d rel %d %d\n", f, (p < 150 ? 12 : -12), (int(f / 120) % 2 == 0 ? 1 : -1) } }' \
    >"$work/sweep.txt"
cpu() { # frames stage -> CPU seconds
    HOME=$work /usr/bin/time -f "%U %S" -o "$work/time.txt" "$build/quillstorm" --windowed \
        --data "$build/gamedata" --seed 7 --stage "$2" --frames "$1" --script "$work/sweep.txt" \
        ${QS_ARGS:-} >/dev/null 2>&1 || true
    awk '{ printf "%.3f", $1 + $2 }' "$work/time.txt"
}
median() { printf '%s\n' "$@" | sort -n | sed -n "$((($# + 1) / 2))p"; }
echo "$(uptime)"
for stage in $stages; do
    figures=""
    run=1
    while [ "$run" -le "$runs" ]; do
        a=$(cpu "$short" "$stage")
        b=$(cpu "$long" "$stage")
        figures="$figures $(awk -v a="$a" -v b="$b" -v n=$((long - short)) 'BEGIN { printf "%.2f", (b - a) * 1000 / n }')"
        run=$((run + 1))
    done
    # shellcheck disable=SC2086
    echo "stage $stage: CPU ms per frame:$figures, median $(median $figures)"
done
