#!/usr/bin/env python3
"""Writes seed inputs for the fuzz targets from the bundled examples.

compile_fuzzer: each example control file, its `include` lines expanded in
place, every coefficient file it names renamed to f.coef and the first of
them appended after the "\\n@@\\n" separator; then variants of the examples
that reach the commands the examples do not use (override, help, every print
option, include, copy_channel across directions), and small files aimed at
the degenerate settings the computation divides by.
coef_fuzzer: each example coefficient file as is, and small files with the
awkward cases of the coefficient format.
decode_fuzzer (when the cmd7730 binary is given as the second argument): the
C header, bench script and simulation script of each example, and of one
that issues sync pulses, cut into files of their own form that fit the
fuzzer's 8192-byte inputs: the head and the tail of each.
Usage: make_seeds.py SEED_DIR [CMD7730_BINARY]
"""
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile

root = pathlib.Path(__file__).resolve().parent.parent
out = pathlib.Path(sys.argv[1])
examples = root / "examples"

compile_dir = out / "compile_fuzzer"
coef_dir = out / "coef_fuzzer"
compile_dir.mkdir(parents=True, exist_ok=True)
coef_dir.mkdir(parents=True, exist_ok=True)

SEP = b"\n@@\n"


def expand_includes(text, depth=0):
    """Inlines `include name` lines whose file exists among the examples."""
    lines = []
    for line in text.splitlines():
        m = re.match(r"\s*include[\s,=]+(\S+)", line)
        if m and depth < 8:
            name = m.group(1)
            for cand in (name, name + ".zq7730", name + ".txt"):
                if (examples / cand).is_file():
                    lines.append(expand_includes((examples / cand).read_text(), depth + 1))
                    break
            continue
        lines.append(line)
    return "\n".join(lines) + "\n"


def compile_seed(name, text, coef):
    (compile_dir / name).write_bytes(text.encode() + SEP + coef)


# Coefficient files.
coefs = {}
for coef in sorted(examples.glob("*.coef")):
    coefs[coef.name] = coef.read_bytes()
    (coef_dir / coef.name).write_bytes(coefs[coef.name])

odd_coefs = {
    "empty.coef": b"",
    "comments.coef": b"# header\ncoef:\n  +7 8 9\n\t-2^M5\n 3x\n;\n",
    "crlf.coef": b"1\r\n-2\r\n3\r\n-2\r\n1\r\n",
    "cr_only.coef": b"1\r2\r3\r",
    "huge.coef": b"5\n99999999999999999999999\n-2147483649\n2147483647\n-2147483648\n",
    "zeros.coef": b"0\n" * 31,
    "too_many.coef": b"1\n" * 512 + b"\n\n  -3\n",
    "exactly_512.coef": b"2\n" * 512 + b"# end\n7\n",
    "long_line.coef": b"3" + b" " * 300 + b"4\n" + b"-" * 250 + b"\n7\n",
    "nul.coef": b"1\n\x002\n3\x00\n\xe9\xff4\n",
}
for name, data in odd_coefs.items():
    (coef_dir / name).write_bytes(data)

# Example control files, self-contained.
controls = {}
for ctl in sorted(examples.glob("*.txt")):
    text = expand_includes(ctl.read_text())
    names = re.findall(r"^\s*fir_coef[\s,=]+(\S+)", text, re.M)
    coef = coefs.get(names[0], b"") if names else b""
    text = re.sub(r"(fir_coef[\s,=]+)\S+", r"\1f.coef", text)
    controls[ctl.stem] = (text, coef)
    compile_seed(ctl.name, text, coef)

# Variants that reach the rest of the command set.
ALL_PRINTS = "".join(f"print {o}\n" for o in ("analysis", "Debug", "zq220", "sim", "table", "h"))
for stem, (text, coef) in controls.items():
    compile_seed(f"{stem}-all-prints.txt", ALL_PRINTS + text, coef)
    compile_seed(f"{stem}-override.txt",
                 text + "override\nchannel 1\nphase = 5\nagc_Dblw = 3\nfck 90\n", coef)
if controls:
    stem, (text, coef) = sorted(controls.items())[0]
    compile_seed("help.txt", "help agc\nhelp gain_read\nhelp \n" + text, coef)
    compile_seed("include.txt", text + "include f.coef\n", coef)
    compile_seed("include-self.txt", "include c.txt\n" + text, coef)

RECEIVE = ("mode ab r\nmode cd r\nfck = 100\nprint analysis\nprint debug\n"
           "channel 0\nfir_coef f.coef\nfreq 10\ncic_dec 8\nfir_dec 2\npins 16\nbits 16\n"
           "channel 1\ncopy_channel 0\nfir_coef f.coef\nchannel 2\ncopy_channel 0\n"
           "fir_coef f.coef\nchannel 3\ncopy_channel 0\nfir_coef f.coef\n")
TRANSMIT = ("mode ab t\nmode cd t\nfck = 100\ntout_nsig 1\ntout_cmplx 1\ntout_rate 1\n"
            "print analysis\nprint debug\n"
            "channel 0\nfir_coef f.coef\nfreq 10\ncic_int 8\nfir_int 2\ntinf_cmplx 1\n"
            "pins 16\nbits 16\nchannel 1\ncopy_channel 0\nfir_coef f.coef\n"
            "channel 2\ncopy_channel 0\nfir_coef f.coef\nchannel 3\ncopy_channel 0\n"
            "fir_coef f.coef\n")
small = coefs.get("lowpass31.coef", b"1\n2\n3\n2\n1\n")
compile_seed("small-receive.txt", RECEIVE, small)
compile_seed("small-transmit.txt", TRANSMIT, coefs.get("interp40.coef", small))
compile_seed("small-transceive.txt", TRANSMIT.replace("mode cd t", "mode cd r"), small)
degenerate = [
    "pins 0", "bits 0", "fir_dec 0", "fir_nchan 0", "cic_dec 0", "fck 0", "fck -5",
    "overall_gain 0", "agc_tc 0\nagc_freeze 0", "rin_rate 2\nsplitiq 1", "sync_mode 3",
]
for i, line in enumerate(degenerate):
    compile_seed(f"receive-degenerate-{i}.txt", RECEIVE + "channel 0\n" + line + "\n", small)
for i, line in enumerate(["fir_int 0", "cic_int 0", "tout_nsig 0", "tout_rate 3", "tout_res 3",
                          "tinf_pins 0", "tout_sumin 1"]):
    compile_seed(f"transmit-degenerate-{i}.txt", TRANSMIT + "channel 0\n" + line + "\n", small)
compile_seed("receive-zero-coefs.txt", RECEIVE, b"0\n" * 31)


# Register files for the decoder, written by the binary itself.
LIMIT = 7000  # bytes of register lines per seed, well inside -max_len


def fit(lines, from_end=False):
    """The most lines from the start (or the end) of `lines` within LIMIT bytes."""
    taken, size = [], 0
    for line in (reversed(lines) if from_end else lines):
        size += len(line) + 1
        if size > LIMIT:
            break
        taken.append(line)
    return list(reversed(taken)) if from_end else taken


def header(rows):
    body = ",\n".join(r.rstrip(",") for r in rows)
    return ("struct {\n    short page;\n    short addr;\n    short val;\n} regs[] = {\n" + body +
            "\n};\n\nint nwrites = %d;\n" % len(rows))


def bench_tail(lines):
    """The tail of a bench script, from a page selection on so it reads alone."""
    tail = fit(lines, from_end=True)
    for i in range(len(tail) - 1):
        if tail[i].startswith("dwr16 2 ") and int(tail[i + 1].split()[1], 16) >= 16:
            return tail[i:]
    return tail[-2:]


if len(sys.argv) > 2:
    decode_dir = out / "decode_fuzzer"
    decode_dir.mkdir(parents=True, exist_ok=True)
    binary = pathlib.Path(sys.argv[2]).resolve()
    prints = "\nprint hfile\nprint zq220\nprint sim\n"
    with tempfile.TemporaryDirectory() as tmp:
        work = pathlib.Path(tmp)
        for f in examples.iterdir():
            if f.suffix in (".txt", ".inc", ".coef"):
                shutil.copy(f, work / f.name)
        controls = sorted(work.glob("*.txt"))
        for ctl in controls:
            ctl.write_text(ctl.read_text() + prints)
        quick = (examples / "quickstart.txt").read_text()
        for mode in (4, 5):
            (work / f"sync{mode}.txt").write_text(quick + f"sync_mode = {mode}\n" + prints)
        for ctl in sorted(work.glob("*.txt")):
            subprocess.run([str(binary), ctl.name], cwd=work, capture_output=True, check=False)
            stem = ctl.stem
            if not (work / f"{stem}.h").is_file():
                continue
            rows = [l for l in (work / f"{stem}.h").read_text().splitlines()
                    if l.startswith("    { ")]
            bench = (work / f"{stem}.zq220").read_text().splitlines()
            sim = (work / f"{stem}.sim").read_text().splitlines()
            pieces = {
                "head.h": header(fit(rows)),
                "tail.h": header(fit(rows, from_end=True)),
                "head.zq220": "\n".join(fit(bench)) + "\n",
                "tail.zq220": "\n".join(bench_tail(bench)) + "\n",
                "head.sim": "\n".join(fit(sim)) + "\n",
                "tail.sim": "\n".join(fit(sim, from_end=True)) + "\n",
            }
            for name, text in pieces.items():
                (decode_dir / f"{stem}-{name}").write_text(text)
