#!/usr/bin/env python3
"""Writes a large control file for the scaling run.

Usage: make_control_file.py LINES DIR

DIR/large.txt gets exactly LINES lines: the four-channel 512-tap receive
configuration of examples/wideband4.txt with every output selected, then a
sweep of blocks that a script generating configurations might write --
channel lines, assignments, comments, `help` lines and `include` lines -- all
restating the settings of the example, so that the compile result stays the
example's own.  DIR/large.inc is the included file; the coefficient file is
copied next to them.
"""
import os
import shutil
import sys

HEADER = """\
# Generated for the scaling run: wideband4 with a long sweep of restated
# settings.
mode ab receive
mode cd receive
fck = 80
splitiq = 1
rin_cmplx = 1
print analysis
print debug
print table
print hfile
print zq220
print sim
channel 0
fir_coef narrow512.coef
freq = 15.36
cic_dec = 4
fir_dec = 8
pins = 16
bits = 16
mix_rcv_sel = 0
channel 1
copy_channel 0
fir_coef narrow512.coef
mix_rcv_sel = 1
channel 2
copy_channel 0
fir_coef narrow512.coef
freq = -9.6
mix_rcv_sel = 2
channel 3
copy_channel 2
fir_coef narrow512.coef
mix_rcv_sel = 3
"""

# Per channel: its tuning frequency as the example sets it.
FREQ = ["15.36", "15.36", "-9.6", "-9.6"]

INCLUDED = """\
# Shared settings, restated for whichever channel includes them.
cic_dec = 4
fir_dec = 8
"""


def block(n):
    """Sixteen lines of sweep number n."""
    c = n % 4
    return [
        f"# sweep block {n}: channel {c}",
        f"channel {c}",
        f"freq = {FREQ[c]}",
        "cic_dec = 4",
        "fir_dec,8",
        "pins 16",
        "bits = 16",
        f"mix_rcv_sel = {c}",
        "fck = 80",
        "; restating the chip clock keeps the example's configuration",
        "help fck",
        "include large.inc",
        "",
        "splitiq = 1",
        f"// end of block {n}",
        "rin_cmplx = 1",
    ]


def main():
    lines, out = int(sys.argv[1]), sys.argv[2]
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    os.makedirs(out, exist_ok=True)
    shutil.copy(os.path.join(root, "examples", "narrow512.coef"), out)
    with open(os.path.join(out, "large.inc"), "w") as f:
        f.write(INCLUDED)
    header = HEADER.splitlines()
    if lines < len(header):
        sys.exit(f"at least {len(header)} lines")
    with open(os.path.join(out, "large.txt"), "w") as f:
        f.write(HEADER)
        left, n = lines - len(header), 0
        while left > 0:
            chunk = block(n)[:left]
            f.write("\n".join(chunk) + "\n")
            left -= len(chunk)
            n += 1


if __name__ == "__main__":
    main()
