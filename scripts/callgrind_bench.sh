#!/bin/sh
# Instruction counts of the engine's sprite and batch benchmarks under callgrind, which do not
# depend on the machine's load: instructions per call of each benchmark's per-frame step
# (inclusive, averaged over every call the run made, warm-up frames included).
#   sprite_bench BM_Frame/3000     OneFrame: update and draw 3,000 sprites
#   sprite_bench BM_DrawOnly/3000  DrawOnly: draw 3,000 sprites
#   media_bench  BM_Batch3000Quads(WithStateChanges)  DrawFrame: one quad (per call)
#   scripts/callgrind_bench.sh BUILD_DIR    (a Release build with benchmarks, e.g. build/release)
# MIN_TIME sets --benchmark_min_time (default 0.5 s of the slowed-down run).
set -eu
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Sums the calls and the inclusive instructions of every call arc into functions whose name
# contains PATTERN.
per_call() { # FILE PATTERN
    python3 - "$1" "$2" <<'PY'
import re, sys
names, calls, cost, current, pending = {}, 0, 0, None, None
def name(field):
    m = re.match(r"\((\d+)\)(?: (.*))?", field)
    if not m: return field
    if m.group(2): names[m.group(1)] = m.group(2)
    return names.get(m.group(1), "")
lines = open(sys.argv[1]).read().splitlines()
i = 0
while i < len(lines):
    line = lines[i]
    if line.startswith("cfn="):
        current = name(line[4:])
    elif line.startswith("fn="):
        name(line[3:])
    elif line.startswith("calls=") and current and sys.argv[2] in current:
        calls += int(line[6:].split()[0])
        cost += int(lines[i + 1].split()[1])
        i += 1
    i += 1
print(f"{cost / calls:,.0f} instructions per call ({calls} calls)" if calls else "no calls")
PY
}
run() { # BINARY FILTER PATTERN
    valgrind --tool=callgrind --callgrind-out-file="$work/out" "$build/bench/$1" \
        --benchmark_filter="$2" --benchmark_min_time=${MIN_TIME:-0.5} >/dev/null 2>&1
    printf '%-14s %-36s %s\n' "$1" "$2" "$(per_call "$work/out" "$3")"
}
run sprite_bench '^BM_Frame/3000$' 'OneFrame'
run sprite_bench '^BM_DrawOnly/3000$' 'DrawOnly'
run media_bench '^BM_Batch3000Quads$' 'Media::DrawFrame'
run media_bench '^BM_Batch3000QuadsWithStateChanges$' 'Media::DrawFrame'
