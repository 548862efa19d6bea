#!/usr/bin/env python3
"""Time and peak memory of cmd7730 on generated control files of 10^4, 10^5
and 10^6 lines (bench/make_control_file.py), to show both grow linearly --
memory not at all -- with the length of the input.

Usage: scaling.py BUILD_DIR [RUNS]

Each size runs RUNS times (default 3); the median wall time and the largest
peak resident set are reported.  Standard error, where `help` lines and
warnings go, is discarded.  The temporary command file, which holds the
whole cleaned input, is on disk and not in memory.
"""
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

SIZES = [10**4, 10**5, 10**6]


def run_once(binary, cwd):
    """Wall time (s) and peak resident set (KiB) of one run."""
    stats = os.path.join(cwd, "time.out")
    t0 = time.perf_counter()
    r = subprocess.run(["/usr/bin/time", "-f", "%M", "-o", stats, binary, "large.txt"],
                       cwd=cwd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    elapsed = time.perf_counter() - t0
    if r.returncode != 0:
        sys.exit(f"cmd7730 exited with {r.returncode} in {cwd}")
    with open(stats) as f:
        return elapsed, int(f.read().split()[-1])


def main():
    build = os.path.abspath(sys.argv[1])
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 3
    here = os.path.dirname(os.path.abspath(__file__))
    binary = os.path.join(build, "cmd7730")
    work = tempfile.mkdtemp(prefix="cmd7730-scaling-")
    rows = []
    try:
        for n in SIZES:
            d = os.path.join(work, str(n))
            subprocess.run([sys.executable, os.path.join(here, "make_control_file.py"),
                            str(n), d], check=True)
            run_once(binary, d)  # warm the page cache
            results = [run_once(binary, d) for _ in range(runs)]
            t = statistics.median(r[0] for r in results)
            rss = max(r[1] for r in results)
            tmp = os.path.getsize(os.path.join(d, "cmd7730TmpCmdFile"))
            rows.append((n, t, rss, tmp))
            shutil.rmtree(d)
    finally:
        shutil.rmtree(work, ignore_errors=True)

    print(f"control file lines, median of {runs} runs each")
    print(f"{'lines':>9}{'time (ms)':>11}{'us/line':>9}{'peak RSS (KiB)':>16}"
          f"{'tmp file (KiB)':>16}")
    for n, t, rss, tmp in rows:
        print(f"{n:>9}{t * 1e3:>11.1f}{t / n * 1e6:>9.3f}{rss:>16}{tmp // 1024:>16}")
    base_n, base_t, base_rss, _ = rows[0]
    for n, t, rss, _ in rows[1:]:
        print(f"x{n // base_n}: time x{t / base_t:.1f}, peak RSS x{rss / base_rss:.2f}")


if __name__ == "__main__":
    main()
