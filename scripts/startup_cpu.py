#!/usr/bin/env python3
"""Main-thread CPU time of Quillstorm's start, in the window: launch to the title taking input.

A busy machine stretches wall-clock start-up figures several times over; the main thread's own
processor time (from /proc/PID/task/PID/schedstat, polled until the process ends) moves far less,
and it is what moving work onto other threads saves. Runs the game like scripts/startup.sh (logos
skipped with a click, Escape every frame, so the run ends as soon as the title takes input) and
prints the median of RUNS runs of: main-thread CPU ms, all-threads CPU ms, wall ms, Load Time.
Run it under a display (xvfb-run -a -s "-screen 0 1280x1024x24" env LIBGL_ALWAYS_SOFTWARE=1 ...).
    scripts/startup_cpu.py BUILD_DIR [RUNS]
"""
import os
import statistics
import subprocess
import sys
import tempfile
import time

build = sys.argv[1]
runs = int(sys.argv[2]) if len(sys.argv) > 2 else 5
script = tempfile.NamedTemporaryFile("w", suffix=".txt", delete=False)
script.write("2 click 1\n" + "".join(f"{i} key ESC\n" for i in range(3, 20001)))
script.close()


def thread_ns(pid, tid):
    with open(f"/proc/{pid}/task/{tid}/schedstat") as f:
        return int(f.read().split()[0])


def process_ns(pid):
    # utime + stime of the whole process, threads that have ended included (clock ticks).
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) * 1e9 / os.sysconf("SC_CLK_TCK")


rows = []
for _ in range(runs):
    log = tempfile.TemporaryFile()
    start = time.monotonic()
    game = subprocess.Popen([f"{build}/quillstorm", "--windowed", "--data", f"{build}/gamedata", "--frames",
                             "30000", "--script", script.name], stdout=log, stderr=log)
    main_ns = all_ns = 0
    while game.poll() is None:
        try:
            main_ns = thread_ns(game.pid, game.pid)
            all_ns = process_ns(game.pid)
        except (FileNotFoundError, ProcessLookupError, ValueError):
            pass
        time.sleep(0.005)
    wall = (time.monotonic() - start) * 1000
    log.seek(0)
    text = log.read().decode(errors="replace")
    load = [line.split("=")[1].strip() for line in text.splitlines() if line.startswith("Load Time = ")]
    if game.returncode != 0 or not load:
        sys.exit(f"startup_cpu.py: the run failed (status {game.returncode}):\n" + text[-2000:])
    rows.append((main_ns / 1e6, all_ns / 1e6, wall, float(load[0])))
os.unlink(script.name)
for name, i in (("main-thread CPU", 0), ("all-threads CPU", 1), ("wall, to the title", 2), ("Load Time", 3)):
    values = [r[i] for r in rows]
    print(f"{name:20} {' '.join(f'{v:.0f}' for v in values)} ms, median {statistics.median(values):.0f}")
