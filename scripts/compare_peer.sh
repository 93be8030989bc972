#!/bin/sh
# Quillstorm beside a peer game, Chromium B.S.U. (Debian's chromium-bsu), in one virtual X server
# with software OpenGL, one after the other, each for the same SECONDS of play after WARM seconds
# of start-up: frames per second (Mesa's GALLIUM_HUD=fps, dumped to a file twice a second: the
# median of those figures; the small counter it draws costs both games alike) and CPU seconds per
# second (the process's user + system time from /proc, all threads).
#   ours   --windowed --stage 0 --seed 7, a script that holds fire and sweeps the ship
#   before the same with the build in BEFORE_DIR (e.g. the unchanged code's build/release)
#   peer   chromium-bsu -w -v 2 -na: its 800 x 600 window, left in its menu (attract mode), no audio
#   scripts/compare_peer.sh [SECONDS] [BEFORE_DIR] [RUNS]
# Each row is the median of RUNS runs (default 3), the games taking turns; the last line gives
# each round's CPU of ours over the peer's. QS_ARGS adds options to ours (not to before).
set -eu
cd "$(dirname "$0")/.."
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" env LIBGL_ALWAYS_SOFTWARE=1 "$0" "$@"
fi
seconds=${1:-20}
before=${2:-}
runs=${3:-3}
warm=${WARM:-8}
after=build/release
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
awk 'BEGIN { print "0 down 1"; for (f = 1; f < 100000; f++) {
    p = f % 300; printf "%d rel %d %d\n", f, (p < 150 ? 12 : -12), (int(f / 120) % 2 == 0 ? 1 : -1) } }' \
    >"$work/sweep.txt"
ticks=$(getconf CLK_TCK)
cpu_of() { awk -v t="$ticks" '{ printf "%.3f", ($14 + $15) / t }' "/proc/$1/stat"; }
median() { printf '%s\n' "$@" | sort -n | sed -n "$((($# + 1) / 2))p"; }

# measure NAME COMMAND...: prints "fps cpu_per_second" of one run.
measure() {
    hud="$work/hud-$1"
    rm -rf "$hud"
    mkdir -p "$hud"
    shift
    env HOME="$work" GALLIUM_HUD=fps GALLIUM_HUD_DUMP_DIR="$hud" "$@" >"$hud.log" 2>&1 &
    pid=$!
    sleep "$warm"
    lines0=$(cat "$hud/fps" 2>/dev/null | wc -l)
    c0=$(cpu_of "$pid")
    t0=$(date +%s%N)
    sleep "$seconds"
    c1=$(cpu_of "$pid")
    t1=$(date +%s%N)
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    fps=$(sed -n "$((lines0 + 1)),\$p" "$hud/fps" 2>/dev/null | sort -n |
        awk '{ v[NR] = $1 } END { if (NR == 0) print "?"; else printf "%.1f", v[int((NR + 1) / 2)] }')
    echo "$fps $(awk -v a="$c0" -v b="$c1" -v t0="$t0" -v t1="$t1" 'BEGIN { printf "%.3f", (b - a) / ((t1 - t0) / 1e9) }')"
}

# record NAME COMMAND...: measures one run and adds its figures to NAME's lists.
record() {
    name=$1
    shift
    result=$(measure "$name" "$@")
    echo "${result% *}" >>"$work/$name.fps"
    echo "${result#* }" >>"$work/$name.cpu"
}

row() { # NAME LABEL
    fpss=$(tr '\n' ' ' <"$work/$1.fps")
    cpus=$(tr '\n' ' ' <"$work/$1.cpu")
    # shellcheck disable=SC2086
    printf '| %-28s | %6s | %6s |   fps: %s cpu: %s\n' "$2" "$(median $fpss)" "$(median $cpus)" "$fpss" "$cpus"
}

ours() { # BUILD_DIR [options]
    dir=$1
    shift
    echo "$dir/quillstorm" --windowed --data "$dir/gamedata" --seed 7 --stage 0 --script "$work/sweep.txt" "$@"
}

echo "$(uptime)"
echo "$seconds s of play after $warm s of start-up, median of $runs runs, taken by turns"
# The games take turns, a run of each a round, so that a slow spell of the machine (a shared
# host's load comes and goes over minutes) falls on all of them alike.
round=1
while [ "$round" -le "$runs" ]; do
    if [ -n "$before" ]; then
        # shellcheck disable=SC2046
        record before $(ours "$before")
    fi
    # shellcheck disable=SC2046,SC2086
    record after $(ours "$after" ${QS_ARGS:-})
    record peer /usr/games/chromium-bsu -w -v 2 -na
    round=$((round + 1))
done
echo "| game                         |    fps | CPU s/s |"
echo "|------------------------------|--------|---------|"
if [ -n "$before" ]; then row before "Quillstorm before"; fi
row after "Quillstorm after"
row peer "Chromium B.S.U. (menu)"
# Each round's CPU of ours over the peer's: runs minutes apart share less of the machine's drift.
ratios=$(paste "$work/after.cpu" "$work/peer.cpu" | awk '{ printf "%.2f ", $1 / $2 }')
# shellcheck disable=SC2086
echo "Quillstorm after / peer, CPU by round: $ratios median $(median $ratios)"
