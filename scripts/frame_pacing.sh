#!/bin/sh
# Frame pacing of Quillstorm in its real window: a game at stage 0 (the ship firing and sweeping)
# for FRAMES frames, recorded with --record, whose step events give every frame's measured step.
# Prints the frame rate and the spread of the steps over the frames after the first SKIP (loading).
# Without a display it runs under a virtual X server with software OpenGL, where presents do not
# wait for the display; QS_ARGS adds options (e.g. "--fps 0" to compare with no cap).
#   scripts/frame_pacing.sh BUILD_DIR [FRAMES] [SKIP]
set -eu
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" env LIBGL_ALWAYS_SOFTWARE=1 "$0" "$@"
fi
build=$1
frames=${2:-1500}
skip=${3:-500}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
awk -v n="$frames" 'BEGIN { print "0 down 1"; for (f = 1; f < n; f++) {
    p = f % 300; printf "%d rel %d %d\n", f, (p < 150 ? 12 : -12), (int(f / 120) % 2 == 0 ? 1 : -1) } }' \
    >"$work/sweep.txt"
HOME=$work /usr/bin/time -f "%e %U %S" -o "$work/time.txt" "$build/quillstorm" --windowed \
    --data "$build/gamedata" --seed 7 --stage 0 --frames "$frames" --script "$work/sweep.txt" \
    --record "$work/record.txt" ${QS_ARGS:-} >/dev/null 2>&1
echo "$(uptime)"
awk -v n="$frames" -v skip="$skip" '
    $2 == "step" { at[++k] = $1; ms[k] = $3 }
    END {
        j = 0; step = 16
        for (f = 0; f < n; f++) {
            while (j < k && at[j + 1] <= f) { j++; step = ms[j] }
            if (f < skip) continue
            c++; sum += step; sq += step * step
            if (step >= 15 && step <= 18) even++
            if (step > 25) long++
        }
        mean = sum / c
        printf "frames %d..%d: %.1f fps (mean step %.2f ms, sd %.2f ms), %.1f%% of steps 15-18 ms, %d over 25 ms\n",
            skip, n - 1, 1000 / mean, mean, sqrt(sq / c - mean * mean), 100 * even / c, long
    }' "$work/record.txt"
awk '{ printf "whole run: %.1f s wall, %.1f CPU s\n", $1, $2 + $3 }' "$work/time.txt"
