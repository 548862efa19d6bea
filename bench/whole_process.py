#!/usr/bin/env python3
"""Median whole-process wall time of cmd7730 on the largest example against
/bin/true and a minimal C++ program, measured interleaved in one run, plus
peak resident memory; and what selecting the response plot and the JSON
document adds to that run.  Usage: whole_process.py BUILD_DIR RUNS"""
import os
import resource
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

build = os.path.abspath(sys.argv[1])
runs = int(sys.argv[2])
if runs < 50:
    sys.exit("whole_process.py: at least 50 runs, for a median worth the name")
root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
example = "wideband4.txt"

work = tempfile.mkdtemp(prefix="cmd7730-bench-")
for name in os.listdir(os.path.join(root, "examples")):
    shutil.copy(os.path.join(root, "examples", name), work)

# The same example with the two opt-in outputs selected as well.
with_both = "wideband4_svg_json.txt"
with open(os.path.join(work, example)) as src, open(os.path.join(work, with_both), "w") as dst:
    dst.write(src.read() + "\nprint response\nprint json\n")

commands = {
    "cmd7730": [os.path.join(build, "cmd7730"), example],
    "+svg +json": [os.path.join(build, "cmd7730"), with_both],
    "/bin/true": ["/bin/true", example],
    "minimal C++": [os.path.join(build, "cmd7730_minimal"), example],
}
times = {k: [] for k in commands}
devnull = subprocess.DEVNULL
for _ in range(3):  # warm caches
    for name, cmd in commands.items():
        r = subprocess.run(cmd, cwd=work, stdout=devnull, stderr=devnull)
        if r.returncode != 0:
            sys.exit(f"{name} exited with {r.returncode}: the timing would mean nothing")
for _ in range(runs):
    for name, cmd in commands.items():
        t0 = time.perf_counter()
        subprocess.run(cmd, cwd=work, stdout=devnull, stderr=devnull)
        times[name].append(time.perf_counter() - t0)

def peak_rss_kib(cmd):
    out = subprocess.run(["/usr/bin/time", "-f", "%M"] + cmd, cwd=work,
                         stdout=devnull, stderr=subprocess.PIPE, text=True)
    return int(out.stderr.strip().splitlines()[-1])

med = {k: statistics.median(v) for k, v in times.items()}
print(f"example: examples/{example}, {runs} interleaved runs each")
print(f"{'program':<14}{'median (us)':>12}{'peak RSS (KiB)':>16}")
for name, cmd in commands.items():
    print(f"{name:<14}{med[name] * 1e6:>12.0f}{peak_rss_kib(cmd):>16}")
print(f"cmd7730 / minimal C++ = {med['cmd7730'] / med['minimal C++']:.2f}")
print(f"cmd7730 / /bin/true   = {med['cmd7730'] / med['/bin/true']:.2f}")
print(f"response plot + JSON add {(med['+svg +json'] - med['cmd7730']) * 1e3:.2f} ms")
shutil.rmtree(work)
