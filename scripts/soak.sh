#!/bin/sh
# Plays Quillstorm headless for MINUTES of game time (default 60) with a generated script that
# steers, fires and clicks its way through the title, the player menu, the games and their
# statistics screens, over and over. Reports frames, games, resident memory and sanitizer reports.
# Fails on a crash, a sanitizer report, or growth in resident memory: the median of the last
# third of the run more than 5 % above the median of the first third after the first game.
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
# Every game starts at level 1, whose planet no menu shows.
game_mark='Loaded gfx\\planets\\planet1.png'
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The game writes its save file into its data root; the soak plays in a copy of its own.
mkdir -p "$work/root/data"
ln -s "$(cd "$data" && pwd)/gfx" "$work/root/gfx"
ln -s "$(cd "$data" && pwd)/sfx" "$work/root/sfx"
cp "$data"/data/level*.dat "$work/root/data/"

# Clicks skip the logos and the title's fade. Then a cycle of 20 s: two clicks on the title's
# Start (400, 300), the first of which may only cut the title's fade short (the second then picks
# a row of the player menu), a click on the player menu's Play (620, 250), one that skips the story of a new player, and
# about 14 s of play with the ship sweeping from side to side and fire held; then Escape and a
# click on the quit confirmation's Confirm (400, 332) end the game and return to the title, whose
# fade a click cuts short. A click on the statistics' Continue (572, 466) first moves on from a
# statistics screen, should a level end or the ship be lost in those seconds.
awk -v frames="$frames" 'BEGIN {
    print "5 click 1"; print "400 click 1"
    for (f = 450; f < frames; f++) {
        c = (f - 450) % 1250
        if (c == 0) { print f, "move 400 300"; print f, "click 1" }
        else if (c == 40) print f, "click 1"
        else if (c == 80) print f, "move 620 250"
        else if (c == 81) print f, "click 1"
        else if (c == 140) print f, "click 1"
        else if (c == 200) print f, "down 1"
        else if (c > 200 && c < 1100) print f, "rel", (f % 300 < 150 ? 11 : -11), ((f / 97) % 2 < 1 ? 1 : -1)
        else if (c == 1100) { print f, "up 1"; print f, "move 572 466" }
        else if (c == 1101) print f, "click 1"
        else if (c == 1140) print f, "key ESC"
        else if (c == 1180) print f, "move 400 332"
        else if (c == 1181) print f, "click 1"
        else if (c == 1240) { print f, "move 100 60"; print f, "click 1" }
    }
}' > "$work/script.txt"

"$binary" --headless --windowed --seed 11 --step "$step" --frames "$frames" --data "$work/root" \
    --log "$work/game.log" --script "$work/script.txt" > "$work/stderr.txt" 2>&1 &
pid=$!
# Resident memory swings by about a tenth within each game (the sanitizer's allocator holds freed
# blocks a while), so single samples say little: it is sampled ten times a second from the end
# of the first game on, and thirds of the run are compared by their medians.
: > "$work/rss.txt"
while kill -0 "$pid" 2>/dev/null; do
    rss=$(awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status" 2>/dev/null || true)
    if [ -n "$rss" ]; then
        # The first game is over once the second one starts.
        games=$(grep -c "$game_mark" "$work/game.log" 2>/dev/null || true)
        [ "${games:-0}" -ge 2 ] && echo "$rss" >> "$work/rss.txt"
    fi
    sleep 0.1
done
status=0
wait "$pid" || status=$?
games=$(grep -c "$game_mark" "$work/game.log" || true)
reports=$(grep -c -E '^(==[0-9]+==ERROR|SUMMARY: (Address|Undefined|Leak)Sanitizer)|runtime error:' "$work/stderr.txt" || true)
echo "game time: $minutes min, frames: $frames, exit status: $status"
echo "games started: ${games:-0}"
# Prints the number of samples, the first and last thirds' medians and the peak.
memory=$(awk '{ v[NR] = $1; if ($1 > peak) peak = $1 }
    function median(from, to,   n, i, j, t, a) {
        n = 0
        for (i = from; i <= to; i++) a[++n] = v[i]
        for (i = 2; i <= n; i++) { t = a[i]; for (j = i - 1; j >= 1 && a[j] > t; j--) a[j + 1] = a[j]; a[j + 1] = t }
        return a[int((n + 1) / 2)]
    }
    END { third = int(NR / 3); if (third < 3) { print NR, 0, 0, peak + 0; exit }
          print NR, median(1, third), median(NR - third + 1, NR), peak }' "$work/rss.txt")
set -- $memory
samples=$1 early=$2 late=$3 peak=$4
echo "resident memory (KiB) after the first game, $samples samples: median of the first third $early, of the last third $late, peak $peak"
echo "sanitizer reports: $reports"
ok=1
[ "$status" -eq 0 ] || ok=0
[ "$reports" -eq 0 ] || ok=0
grep -q "Ended after $frames frames." "$work/game.log" || { echo "the game ended before its last frame"; ok=0; }
if [ "$early" -gt 0 ]; then
    limit=$((early + early / 20))
    [ "$late" -le "$limit" ] || { echo "resident memory grew: the last third's median is above the first third's + 5 % ($limit KiB)"; ok=0; }
else
    echo "too few samples of resident memory after the first game to tell its growth"
    ok=0
fi
[ "$ok" -eq 1 ] || { tail -20 "$work/stderr.txt"; exit 1; }
echo "soak passed"
