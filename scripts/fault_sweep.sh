#!/bin/sh
# Damages the game's data root one file at a time and plays the game headless on it: for every
# file of gfx/, sfx/, sfx/music/ and data/, one run with the file deleted and one with it cut to
# half its length. Each run starts the program on its own copy of the data root, loads, and plays:
# through the title, the credits, the story and a few hundred frames of level 1 for the menus' files; the
# level of the file for level files, planets and level music; the first boss's stage, up to the
# boss, for the files that only the bosses use; level 1 for the rest of what play uses.
#
# A run passes when it ends with status 0 (an optional file, or a damaged one that the reader
# refuses cleanly) or with status 1 and the game's own message for that file, as the file's rule
# allows: a required picture that is missing must stop the game with its message, a sound never
# may. A crash, a hang, a sanitizer report or any other status fails. Prints a table of files by
# the two cases and the totals; exits 1 when any run failed.
#
#   scripts/fault_sweep.sh [--sample] [--jobs N] [BINARY]
#     --sample  a fixed sample of files of every kind (the test suite runs this)
#     --jobs N  runs side by side (default 2)
#     BINARY    the game (default build/test/quillstorm, the sanitized test build); its data root
#               is BINARY's folder/gamedata
# QS_SWEEP_TIMEOUT (seconds, default 300) bounds one run; a run that takes longer is a hang.
# QS_SWEEP_FILES names a file that lists the data root's files to sweep instead of all of them.
set -eu
cd "$(dirname "$0")/.."

sample=0
jobs=2
binary=build/test/quillstorm
while [ $# -gt 0 ]; do
    case $1 in
    --sample) sample=1 ;;
    --jobs)
        jobs=$2
        shift
        ;;
    -*)
        echo "fault_sweep.sh: unknown option $1" >&2
        exit 2
        ;;
    *) binary=$1 ;;
    esac
    shift
done
data=$(dirname "$binary")/gamedata
if [ ! -x "$binary" ] || [ ! -d "$data" ]; then
    echo "fault_sweep.sh: no game at $binary with its data root $data" >&2
    exit 2
fi
binary=$(cd "$(dirname "$binary")" && pwd)/$(basename "$binary")
data=$(cd "$data" && pwd)
limit=${QS_SWEEP_TIMEOUT:-300}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A copy of the game, so a build during the sweep cannot change it between runs.
cp "$binary" "$work/game"
binary=$work/game

# Every file of the data root, or the sample: pictures of each loader (font, pixel map, required
# and optional pictures, the logo, a JPEG, pictures shown only by the credits and the story), sounds,
# music pieces and level files.
(cd "$data" && find gfx sfx data -type f | LC_ALL=C sort) > "$work/all"
if [ -n "${QS_SWEEP_FILES:-}" ]; then
    # A chosen list of files of the data root, one a line (to sweep part of it again).
    LC_ALL=C sort "$QS_SWEEP_FILES" | LC_ALL=C comm -12 - "$work/all" > "$work/files"
elif [ "$sample" -eq 1 ]; then
    cat > "$work/wanted" <<'EOF'
data/level1.dat
data/level5.dat
gfx/background/dust2.jpg
gfx/bullets/bullet0.png
gfx/effects/explosion.png
gfx/enemies/bug1.png
gfx/enemies/bug29.png
gfx/font1.png
gfx/menus/credits9.png
gfx/menus/logo1.png
gfx/menus/menupiece5.png
gfx/menus/mouse.png
gfx/menus/story1.png
gfx/planets/planet1.png
gfx/powerups/powerup4.png
gfx/ship/ship.png
sfx/bullet-0.wav
sfx/title.wav
sfx/music/boss.ogg
sfx/music/level1.ogg
sfx/music/level7.ogg
EOF
    LC_ALL=C sort "$work/wanted" | LC_ALL=C comm -12 - "$work/all" > "$work/files"
else
    cp "$work/all" "$work/files"
fi

# Input scripts. Title: clicks skip the logo and the title's fade, open the credits and skip them,
# press Start, pick a row, press Play (a new player sees the story), skip the story, then hold fire
# and sweep the ship from side to side. Window pixels of the 800 × 500 window.
awk 'BEGIN {
    print "5 click 1"; print "400 click 1"
    print "430 move 400 370"; print "431 click 1"
    print "520 click 1"; print "560 click 1"
    print "600 move 400 300"; print "601 click 1"; print "640 click 1"
    print "680 move 620 250"; print "681 click 1"
    print "760 click 1"; print "800 down 1"
    for (f = 801; f < 1100; f++) print f, "rel", (f % 120 < 60 ? 12 : -12), ((f / 40) % 2 < 1 ? 1 : -1)
}' > "$work/title.txt"
# Play: fire held from the first frame, the ship sweeping (16 ms frames, or 200 ms for the boss).
awk 'BEGIN { print "0 down 1"; for (f = 1; f < 400; f++) print f, "rel", (f % 120 < 60 ? 12 : -12), 0 }' \
    > "$work/play.txt"
awk 'BEGIN { print "0 down 1"; for (f = 1; f < 1900; f++) print f, "rel", (f % 60 < 30 ? 40 : -40), ((f / 24) % 2 < 1 ? 4 : -4) }' \
    > "$work/boss.txt"

# How a file is played: "title", "stage N" or "boss".
scenario() {
    case $1 in
    data/level*.dat)
        n=${1#data/level}
        n=${n%.dat}
        echo "stage $(((n - 1) * 5 + 4))" # the fifth wave: the whole file is read
        ;;
    gfx/planets/planet*.png)
        n=${1#gfx/planets/planet}
        n=${n%.png}
        echo "stage $(((n - 1) * 5))"
        ;;
    sfx/music/level3.ogg | sfx/music/level7.ogg) echo title ;; # the story's and the credits' music
    sfx/music/level*.ogg)
        n=${1#sfx/music/level}
        n=${n%.ogg}
        echo "stage $(((n - 1) * 5))"
        ;;
    sfx/music/boss.ogg | gfx/enemies/bug29.png | gfx/enemies/bug30.png | gfx/bullets/bullet6.png | \
        gfx/bullets/bullet9.png | gfx/effects/shockwave2.png | gfx/menus/warning.png | sfx/boss*.wav | \
        sfx/bullet-6.wav | sfx/bullet-9.wav)
        echo boss
        ;;
    # The menus' pictures and sounds, and the fonts, are met on the way through the title.
    gfx/menus/* | gfx/font* | sfx/title.wav | sfx/loading-*) echo title ;;
    *) echo "stage 0" ;; # the rest is met in play
    esac
}

# What a file's loss may do. optional: play goes on (status 0). required: a missing file stops the
# game with the picture's message; a damaged one as well, unless the reader accepts what is left.
# level: the level file's own messages. logo: absent logos are fine, an undecodable one is fatal.
# unshown: a required picture that a run may never ask for (the ending's, a dark matter veil that
# the random composition did not pick).
rule() {
    case $1 in
    sfx/*) echo optional ;;
    data/level*.dat) echo level ;;
    gfx/bullets/rocketsmoke.png) echo required ;;
    gfx/bullets/* | gfx/enemies/* | gfx/effects/* | gfx/planets/*) echo optional ;;
    gfx/menus/logo*) echo logo ;;
    gfx/menus/end1.png | gfx/menus/end2.png) echo unshown ;;
    # One of the four is drawn at random each time a background is composed.
    gfx/background/darkmatter*) echo unshown ;;
    *) echo required ;;
    esac
}

# The fatal message that belongs to a file.
message() {
    case $1 in
    data/*) if [ "$2" = deleted ]; then
        echo "Error: Enemy data file not found!  Please reinstall the game."
    else
        echo "Error: Enemy data file corrupt!  Please reinstall the game."
    fi ;;
    *) printf '%s\n' "The following image failed to load: '$(printf '%s' "$1" | tr / '\\')'.  Please reinstall the game." ;;
    esac
}

# Plays one run in ROOT; prints the outcome: 0, 1 (with the file's message), "1 other", "status N",
# crash, hang or report.
play() { # root scenario file case
    root=$1
    out=$work/run.$$.$(basename "$root")
    case $2 in
    title) set -- "$@" --seed 5 --step 16 --frames 1100 --script "$work/title.txt" ;;
    stage*) set -- "$@" --seed 5 --step 16 --frames 300 --stage "${2#stage }" --script "$work/play.txt" ;;
    # Long frames, so the wave's 140 enemies come and go in 300 s of game time; with this seed the
    # ship lives to see the boss (before frame 1400), and the last 500 frames fight it. The seed
    # is tied to the game's rules: when they change, the clean run below says if it no longer helps.
    boss) set -- "$@" --seed 2 --step 200 --frames 1900 --stage 24 --script "$work/boss.txt" ;;
    esac
    file=$3
    fcase=$4
    shift 4
    status=0
    QS_NO_MESSAGE_BOX=1 ASAN_OPTIONS=detect_leaks=0:exitcode=86 UBSAN_OPTIONS=print_stacktrace=1:exitcode=87 \
        timeout -k 10 "$limit" "$binary" --headless --windowed --data "$root" --log "$out.log" "$@" \
        > "$out.err" 2>&1 || status=$?
    if grep -qE '^==[0-9]+==ERROR|runtime error:|^SUMMARY: [A-Za-z]+Sanitizer' "$out.err"; then
        echo report
    elif [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
        echo hang
    elif [ "$status" -ge 128 ] || [ "$status" -eq 86 ] || [ "$status" -eq 87 ]; then
        echo crash
    elif [ "$status" -eq 1 ]; then
        if grep -qF "$(message "$file" "$fcase")" "$out.err"; then echo 1; else echo "1 other"; fi
    elif [ "$status" -eq 0 ]; then
        echo 0
    else
        echo "status $status"
    fi
    # Keep the evidence of a failure for the table's notes.
    cp "$out.err" "$work/err.$(echo "$file" | tr / _).$fcase" 2>/dev/null || true
    cp "$out.log" "$work/log.$(echo "$file" | tr / _).$fcase" 2>/dev/null || true
    rm -f "$out.log" "$out.err"
}

# Whether an outcome keeps the file's rule.
passes() { # rule case outcome
    case "$1:$2:$3" in
    optional:*:0) return 0 ;;
    required:deleted:1 | required:half:1 | required:half:0) return 0 ;;
    level:deleted:1 | level:half:1 | level:half:0) return 0 ;;
    logo:deleted:0 | logo:half:0 | logo:half:1) return 0 ;;
    unshown:*:0 | unshown:*:1) return 0 ;;
    esac
    return 1
}

# One worker: its own copy of the data root; every jobs-th file from its index.
worker() { # index
    root=$work/root$1
    cp -R "$data" "$root"
    (cd "$root" && find . -type f | LC_ALL=C sort) > "$root.list"
    awk -v n="$jobs" -v k="$1" 'NR % n == k' "$work/files" | while read -r file; do
        r=$(rule "$file")
        s=$(scenario "$file")
        line=$file
        for fcase in deleted half; do
            if [ "$fcase" = deleted ]; then
                rm "$root/$file"
            else
                size=$(wc -c < "$data/$file")
                head -c $((size / 2)) "$data/$file" > "$root/$file"
            fi
            outcome=$(play "$root" "$s" "$file" "$fcase")
            verdict=ok
            passes "$r" "$fcase" "$outcome" || verdict=FAIL
            line="$line	$outcome	$verdict"
            cp "$data/$file" "$root/$file"
            # Whatever the run wrote (save file, settings) goes, so every run starts alike.
            (cd "$root" && find . -type f | LC_ALL=C sort) | LC_ALL=C comm -13 "$root.list" - |
                (cd "$root" && xargs -r rm -f)
        done
        echo "$line	$r	$s" >> "$work/results$1"
    done
    rm -rf "$root"
}

# The undamaged game must pass each way of playing, and get as far as it is meant to, before the
# damaged runs mean anything: the title run shows the credits, the story and level 1; the boss run
# reaches the boss (whose music, taken away here, is then asked for).
cp -R "$data" "$work/clean"
rm "$work/clean/sfx/music/boss.ogg"
for s in title boss; do
    outcome=$(play "$work/clean" "$s" none "$s")
    case $s in
    title) marks='Loaded gfx\menus\credits17.png|Loaded gfx\menus\story2.png|Loaded gfx\planets\planet1.png' ;;
    boss) marks="''sfx\\music\\boss.ogg'' failed to load" ;;
    esac
    missing=$(printf '%s\n' "$marks" | tr '|' '\n' | while read -r mark; do
        grep -qF "$mark" "$work/log.none.$s" || printf '%s\n' "$mark"
    done)
    if [ "$outcome" != 0 ] || [ -n "$missing" ]; then
        echo "fault_sweep.sh: the undamaged game ends with '$outcome' when played the $s way" >&2
        [ -z "$missing" ] || printf 'and its log lacks: %s\n' "$missing" >&2
        tail -n 20 "$work/err.none.$s" >&2
        exit 1
    fi
    rm -f "$work/clean/data/savegames.dat" "$work/clean/data/settings.ini"
done
rm -rf "$work/clean"

i=0
while [ "$i" -lt "$jobs" ]; do
    : > "$work/results$i"
    worker "$i" &
    i=$((i + 1))
done
wait
LC_ALL=C sort "$work"/results* > "$work/table"

printf '%-40s %-12s %-12s %-9s %s\n' file deleted half rule played
awk -F '\t' '{
    d = ($3 == "ok") ? $2 : $2 " FAIL"; h = ($5 == "ok") ? $4 : $4 " FAIL"
    printf "%-40s %-12s %-12s %-9s %s\n", $1, d, h, $6, $7
}' "$work/table"
awk -F '\t' -v files="$(wc -l < "$work/files")" '
    { for (c = 2; c <= 4; c += 2) {
        runs++; n[$c]++
        if ($(c + 1) != "ok") failed++
        if ($c == "crash") crash++
        if ($c == "hang") hang++
        if ($c == "report") report++
    } }
    END {
        printf "\nfiles: %d, runs: %d (%d files x 2 cases)\n", NR, runs, NR
        printf "status 0: %d, status 1 with the file'\''s message: %d, other: %d\n", n["0"], n["1"], runs - n["0"] - n["1"]
        printf "crashes: %d, hangs: %d, sanitizer reports: %d, runs that broke their rule: %d\n", crash, hang, report, failed
        if (NR != files) { printf "missing results: %d of %d files\n", files - NR, files; failed++ }
        exit (failed > 0 ? 1 : 0)
    }' "$work/table" || status=1
for f in "$work"/err.*; do
    [ -e "$f" ] || continue
    name=${f#"$work"/err.}
    if awk -F '\t' -v n="$name" '{ k = $1; gsub("/", "_", k)
        if ((k ".deleted" == n && $3 != "ok") || (k ".half" == n && $5 != "ok")) found = 1 }
        END { exit found ? 0 : 1 }' "$work/table"; then
        echo "--- $name"
        tail -n 15 "$f"
    fi
done
exit "${status:-0}"
