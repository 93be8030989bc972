#!/bin/sh
# Plays Quillstorm headless for MINUTES of game time (default 60) with a generated script that
# steers, fires and clicks its way through the title, the player menu, the games and their
# statistics screens, over and over. Reports frames, games, resident memory (after the first
# game, peak and final) and sanitizer reports. Fails on a crash, a sanitizer report, or a final
# resident size more than 5 % above the one after the first game.
#   scripts/soak.sh [MINUTES] [BINARY]   (BINARY defaults to build/release/quillstorm as run.sh
#                                         builds it; its data root is BINARY's folder/gamedata)
set -eu
cd "$(dirname "$0")/.."
minutes=${1:-60}
binary=${2:-build/release/quillstorm}
if [ ! -x "$binary" ]; then
    cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DQS_TESTS=OFF -DQS_BENCH=OFF >/dev/null
    cmake --build build/release -j"$(nproc)" --target quillstorm
fi
data=$(dirname "$binary")/gamedata
step=16
frames=$((minutes * 60000 / step))
# A log line written each time the title screen appears.
title_mark='TITLE_MARK'
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The game writes its save file into its data root; the soak plays in a copy of its own.
mkdir -p "$work/root/data"
ln -s "$(cd "$data" && pwd)/gfx" "$work/root/gfx"
ln -s "$(cd "$data" && pwd)/sfx" "$work/root/sfx"
cp "$data"/data/level*.dat "$work/root/data/"

# Every 20 s: a click on the statistics' Continue (572, 466), on the title's Start (400, 300) and
# on the player menu's Play (780, 250); between them the ship sweeps from side to side with fire
# held. None of these points is on a Quit button, and Escape is never pressed.
awk -v frames="$frames" 'BEGIN {
    for (f = 1; f < frames; f++) {
        c = f % 1250
        if (c == 0) { print f, "up 1"; print f, "move 572 466" }
        else if (c == 1) print f, "click 1"
        else if (c == 60) print f, "move 400 300"
        else if (c == 61) print f, "click 1"
        else if (c == 120) print f, "move 780 250"
        else if (c == 121) print f, "click 1"
        else if (c == 180) print f, "down 1"
        else if (c > 180) print f, "rel", (f % 300 < 150 ? 11 : -11), ((f / 97) % 2 < 1 ? 1 : -1)
    }
}' > "$work/script.txt"

"$binary" --headless --windowed --seed 11 --step "$step" --frames "$frames" --data "$work/root" \
    --log "$work/game.log" --script "$work/script.txt" > "$work/stderr.txt" 2>&1 &
pid=$!
peak=0
first=0
final=0
while kill -0 "$pid" 2>/dev/null; do
    rss=$(awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status" 2>/dev/null || true)
    if [ -n "$rss" ]; then
        final=$rss
        [ "$rss" -gt "$peak" ] && peak=$rss
        # The first game is over once the title shows again (its second music start).
        titles=$(grep -c "$title_mark" "$work/game.log" 2>/dev/null || true)
        if [ "$first" -eq 0 ] && [ "${titles:-0}" -ge 2 ]; then
            first=$rss
        fi
    fi
    sleep 1
done
status=0
wait "$pid" || status=$?
titles=$(grep -c "$title_mark" "$work/game.log" || true)
games=$((${titles:-0} - 1))
reports=$(grep -c -E '^(==[0-9]+==ERROR|SUMMARY: (Address|Undefined|Leak)Sanitizer)|runtime error:' "$work/stderr.txt" || true)
echo "game time: $minutes min, frames: $frames, exit status: $status"
echo "games played: $games"
echo "resident memory (KiB): after the first game $first, peak $peak, final $final"
echo "sanitizer reports: $reports"
ok=1
[ "$status" -eq 0 ] || ok=0
[ "$reports" -eq 0 ] || ok=0
if [ "$first" -gt 0 ]; then
    limit=$((first + first / 20))
    [ "$final" -le "$limit" ] || { echo "final resident memory above the first game's + 5 % ($limit KiB)"; ok=0; }
else
    echo "no game ended: no resident memory after the first game"
    ok=0
fi
[ "$ok" -eq 1 ] || { tail -20 "$work/stderr.txt"; exit 1; }
echo "soak passed"
