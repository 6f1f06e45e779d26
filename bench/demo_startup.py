#!/usr/bin/env python3
# The demo's start-up: from launch to its first painted frame, offscreen, over sample databases
# of each size given. The demo's --screenshot run paints the form and writes it as its first
# picture (form-empty.png) before anything else it does; the time is taken when that file
# appears. The database is written beforehand (first run, not timed). Prints the median and
# the spread of RUNS launches per size.
#   bench/demo_startup.py build/apps/demo/demo [ROWS...]   (default 10000 1000000; RUNS=7)
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

DB_DIR = os.environ.get("ORVO_BENCH_DIR", "/tmp/orvo-bench")


def first_frame(demo, database, rows):
    shots = tempfile.mkdtemp(prefix="orvo-startup-")
    first = os.path.join(shots, "form-empty.png")
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    start = time.perf_counter()
    proc = subprocess.Popen([demo, "--rows", str(rows), "--database", database,
                             "--screenshot", shots], env=env,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    seen = None
    while seen is None and proc.poll() is None:
        if os.path.exists(first) and os.path.getsize(first) > 0:
            seen = time.perf_counter() - start
        else:
            time.sleep(0.0005)
    proc.kill()
    proc.wait()
    shutil.rmtree(shots, ignore_errors=True)
    return seen


def main():
    if len(sys.argv) < 2:
        print(__doc__ or "usage: demo_startup.py DEMO [ROWS...]", file=sys.stderr)
        return 2
    demo = sys.argv[1]
    sizes = [int(a) for a in sys.argv[2:]] or [10000, 1000000]
    runs = int(os.environ.get("RUNS", "7"))
    os.makedirs(DB_DIR, exist_ok=True)
    for rows in sizes:
        database = os.path.join(DB_DIR, "demo_%d.db" % rows)
        if not os.path.exists(database):
            began = time.perf_counter()
            subprocess.run([demo, "--rows", str(rows), "--database", database, "--save-form",
                            os.devnull], env=dict(os.environ, QT_QPA_PLATFORM="offscreen"),
                           stdout=subprocess.DEVNULL, check=True)
            print("rows=%d: wrote %s in %.1f s" % (rows, database, time.perf_counter() - began))
        times = []
        for _ in range(runs):
            t = first_frame(demo, database, rows)
            if t is None:
                print("rows=%d: the demo ended without painting its form" % rows)
                return 1
            times.append(t * 1000)
        print("rows=%d: first frame median %.0f ms (min %.0f, max %.0f, %d runs)" %
              (rows, statistics.median(times), min(times), max(times), runs))
    return 0


if __name__ == "__main__":
    sys.exit(main())
