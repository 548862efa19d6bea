#!/usr/bin/env python3
"""Writes seed inputs for the fuzz targets from the bundled examples.

compile_fuzzer: each example control file, with its first coefficient file
appended after the "\\n@@\\n" separator and renamed to f.coef in the text.
coef_fuzzer: each example coefficient file as is.
"""
import pathlib
import re
import sys

root = pathlib.Path(__file__).resolve().parent.parent
out = pathlib.Path(sys.argv[1])
examples = root / "examples"

compile_dir = out / "compile_fuzzer"
coef_dir = out / "coef_fuzzer"
compile_dir.mkdir(parents=True, exist_ok=True)
coef_dir.mkdir(parents=True, exist_ok=True)

for coef in sorted(examples.glob("*.coef")):
    (coef_dir / coef.name).write_bytes(coef.read_bytes())

for ctl in sorted(examples.glob("*.txt")):
    text = ctl.read_text()
    names = re.findall(r"^\s*fir_coef\s+(\S+)", text, re.M)
    coef = b""
    if names and (examples / names[0]).exists():
        coef = (examples / names[0]).read_bytes()
        text = re.sub(r"(fir_coef\s+)\S+", r"\1f.coef", text)
    (compile_dir / ctl.name).write_bytes(text.encode() + b"\n@@\n" + coef)
