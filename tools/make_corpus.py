#!/usr/bin/env python3
"""Writes the behaviour corpus: a fixed set of small cmd7730 runs.

    tools/make_corpus.py OUTDIR

Each case is a directory OUTDIR/NNNN/ holding the control file c.txt and the
coefficient and include files it names (a few cases leave some out on
purpose).  OUTDIR/INDEX says in one line per case what the case is about.
The corpus is the same byte for byte on every run and every machine: the
random choices come from a generator of our own with a fixed seed, and the
example designs are read from the frozen copies in tools/corpus/examples/,
so editing examples/ does not change the corpus.

The cases: the examples as they are, with every output and with an override
section; random perturbations of the examples (values changed, lines added,
removed, moved or commented out, coefficient files altered); every command
and every variable; the wide values in odd spellings; and the inputs the
program must stop on or warn about (missing files, include cycles, bad
numbers, missing mandatory settings, degenerate FIR rates, odd bytes, long
lines, ...).  tools/corpus_digest runs them; tools/check_unchanged compares
the results with tools/corpus_digests.txt.
"""
import hashlib
import pathlib
import re
import sys

HERE = pathlib.Path(__file__).resolve().parent
EXAMPLES = HERE / "corpus" / "examples"
SEED = 0x7730C0DE

# Every variable of the register map: scope (g chip, c channel, p pair),
# name and field width in bits.  Width 64 marks the four wide (real) values.
VARIABLES_TEXT = """
g:ck_loss_status:2 g:en_ck_loss:1 g:pwr_dwn_fir_A:1 g:pwr_dwn_fir_B:1 g:pwr_dwn_fir_C:1
g:pwr_dwn_fir_D:1 g:pwr_dwn_cic_AB:1 g:pwr_dwn_cic_CD:1 g:master_reset:1 g:soB_sync:3
g:one_shot:2 g:page:8 g:chip_rev:8 g:en_AO:1 g:en_AFS:1 g:en_BO:1 g:en_BFS:1 g:en_CO:1
g:en_CFS:1 g:en_DO:1 g:en_DFS:1 g:en_soB:1 g:ckp_A:1 g:ckp_B:1 g:ckp_C:1 g:ckp_D:1
g:sumin_clr:1 c:coef_ofsc:4 c:coef_modc:4 c:coef_repc:4 c:coef_sym:1 c:coef_zerofr:1
c:agen_recr:4 c:agen_depd:4 c:agen_modd:4 c:agen_togen:1 c:fragen_soff:4 c:fragen_srecr:4
c:fragen_sdepd:4 c:fragen_stepn:4 c:fwagen_soff:4 c:fwagen_srecr:4 c:fwagen_sdepd:4
c:fwagen_wrecrl:4 c:bragen_soff:4 c:bragen_srecr:4 c:bragen_sdepd:4 c:bragen_stepn:4
c:bwagen_soff:4 c:bwagen_srecr:4 c:bwagen_sdepd:4 c:bwagen_wrecrl:4 c:beragen_soff:4
c:beragen_srecr:4 c:beragen_sdepd:4 c:beragen_stepn:4 c:bewagen_soff:4 c:bewagen_srecr:4
c:bewagen_sdepd:4 c:bewagen_wrecrl:4 c:fwa_strobe:16 c:bwa_strobe:16 c:beagen_rbypass:16
c:tinf_bits:3 c:tinf_pins:3 c:tinf_iqmux:1 c:tinf_pariq:1 c:tinf_src:3 c:tinf_xmt:1 c:fso_sel:2
c:tinf_first:4 c:tinf_second:4 c:sck_div:4 c:tinf_fso_dly:3 c:tinf_fs_cnt:12 c:tinf_nfs:4
c:gain_lsb:16 c:gain_msb:3 c:agc_freeze:1 c:gain_rnd:5 c:gain_half:1 c:agc_hold:1
c:agc_gain_out:1 c:agc_zmag:4 c:agc_min:16 c:agc_max:16 c:agc_zero_cnt:4 c:agc_sat_cnt:4
c:agc_thresh:8 c:agc_Dblw:4 c:agc_Dabv:4 c:agc_Dzro:4 c:agc_Dsat:4 c:gain_read:16
c:pwr_meter_lsb:16 c:pwr_meter_msb:16 c:pwr_meter_trig:3 c:pwr_mtr_integ:16 c:pwr_mtr_on:1
c:routf_pins:3 c:routf_bits:5 c:routf_iqmux:1 c:routf_pwrdown:1 c:routf_ctdm:1 c:pwr_test:1
g:tx_pat_gen:2 g:rcv_cksum:16 c:swap_wa_cnt:4 c:swap_ra_cnt:4 c:swap_xmt:1 c:swap_cmplx:1
c:fir_fb:1 c:swap_fb:1 c:swap_rcv_tdly:1 c:acc_dly:4 c:acc_cnt:4 c:acc_dly0:1 c:acc_bypass:1
c:acc_enram:1 c:fir_shift:3 c:fir_xenq:1 c:fir_xeni:1 c:fir_half:1 c:fir_rnd20:1 c:fir_cmplx:1
c:fir_sync_cnt:16 c:fir_clk_cnt:8 c:fir_clk_cnt_en:1 c:fir_test:1 c:fir_en_sync_cnt:1
c:cksum_sync_back:3 c:fir_sync:3 c:coef_sync:3 c:gain_sync:3 c:pwr_mtr_sync:3 c:sck_sync:3
p:cic_shift:6 p:cic_rcv:2 p:cic_xmt_5stg:1 p:cic_rshift:1 p:cic_2x:1 p:cic_xmt_d6stg:1
p:cic_rcv_cross:1 p:cic_rcv_full:1 p:cic_bypass:1 p:cic_fl_status:1 p:phase:16 p:freq_lsb:16
p:freq_mid:16 p:freq_msb:16 p:mix_rcv_sel:2 p:mix_rcv_cmplx:1 p:mix_inv_qsin:1 p:mix_qsin:2
p:mix_inv_qcos:1 p:mix_qcos:2 p:mix_inv_isin:1 p:mix_isin:2 p:mix_inv_icos:1 p:mix_icos:2
p:freq_sync:3 p:phase_sync:3 p:dith_sync:3 p:nco_sync:3 p:flush_sync:3 p:dith_test:1 p:ncic:12
p:cic_sync:3 g:sum_selI:8 g:sum_selQ:8 g:sum_shift:3 g:sum_ia:2 g:sum_ib:2 g:sum_qa:2
g:sum_qb:1 g:sum_in:2 g:sum_of_Ia:1 g:sum_of_Ib:1 g:sum_of_Qa:1 g:sum_of_Qb:1 g:rcv_noise_A:16
g:rcv_noise_B:16 g:rcv_noise_C:16 g:rcv_noise_D:16 g:rinf_sel_A:4 g:rinf_sel_B:4 g:rinf_sel_C:4
g:rinf_sel_D:4 g:gen_timer:16 g:rinf_zpad:4 g:rinf_diag:2 g:gen_timer_test:1 g:gen_timer_sync:3
g:cksum_sync_front:3 g:rinf_zpad_sync:3 g:toutf_hold_sync:3 g:toutf_do:5 g:toutf_co:3
g:toutf_bo:4 g:toutf_rnd_AB:2 g:toutf_offsetbin:1 g:toutf_halfcmplx_AB:1 g:toutf_hold:3
g:toutf_rnd_CD:2 g:toutf_quiet_CD:1 g:toutf_halfcmplx_CD:1 g:toutf_xmt_CD:1 g:toutf_sumin:1
g:toutf_xmt_AB:1 g:t_cksum:16 c:agc_mode:4 c:agc_tc:16 c:agc_cf:16 g:sync_mode:4 c:fir_dec:5
c:fir_int:5 c:fir_diff:1 c:fir_nchan:5 g:rin_cmplx:1 g:rin_rate:2 g:routf_tdm:1 g:tinf_tdm:1
c:tinf_cmplx:1 c:tinf_fs_dly:4 g:tout_cmplx:1 g:tout_res:2 g:tout_nsig:3 g:tout_rate:2
g:tout_sumin:1 g:splitiqAB:1 g:splitiqCD:1 g:splitiq:1 c:bypass_mix:1 c:bypass_cic:1
c:bypass_fir:1 c:pins:5 c:bits:5 p:cic_int:12 p:cic_dec:12 c:gain:64 c:overall_gain:64 g:fck:64
c:freq:64 c:fir_sym:1 c:xmt:1 c:powerdown:1 c:coefsym:8 c:ncoefs:16 c:maxtap:31 c:sumtap:31
"""
VARIABLES = [tuple(item.split(":")) for item in VARIABLES_TEXT.split()]
VARIABLES = [(scope, name, int(width)) for scope, name, width in VARIABLES]
WIDTH = {name: width for _, name, width in VARIABLES}
INTEGER_VARS = [v for v in VARIABLES if v[2] != 64]

PRINT_OPTIONS = ["analysis", "debug", "table", "hfile", "zq220", "sim"]
EXAMPLE_NAMES = ["quickstart", "receive_agc", "transmit", "transceive", "double_rate",
                 "split_transmit", "wideband4"]
COEF_NAMES = ["lowpass31.coef", "halfband63.coef", "lowpass48.coef", "interp40.coef",
              "narrow512.coef"]


class Rng:
    """splitmix64: the same stream on every Python version."""

    def __init__(self, seed):
        self.state = seed & 0xFFFFFFFFFFFFFFFF

    def next64(self):
        self.state = (self.state + 0x9E3779B97F4A7C15) & 0xFFFFFFFFFFFFFFFF
        z = self.state
        z = ((z ^ (z >> 30)) * 0xBF58476D1CE4E5B9) & 0xFFFFFFFFFFFFFFFF
        z = ((z ^ (z >> 27)) * 0x94D049BB133111EB) & 0xFFFFFFFFFFFFFFFF
        return z ^ (z >> 31)

    def below(self, n):
        return self.next64() % n

    def randint(self, lo, hi):
        return lo + self.below(hi - lo + 1)

    def chance(self, num, den):
        return self.below(den) < num

    def choice(self, seq):
        return seq[self.below(len(seq))]

    def weighted(self, pairs):
        total = sum(w for w, _ in pairs)
        pick = self.below(total)
        for w, item in pairs:
            if pick < w:
                return item
            pick -= w
        raise AssertionError

    def shuffle(self, seq):
        for i in range(len(seq) - 1, 0, -1):
            j = self.below(i + 1)
            seq[i], seq[j] = seq[j], seq[i]


def read_example(name):
    return (EXAMPLES / name).read_bytes()


EXAMPLE_FILES = {p.name: p.read_bytes() for p in sorted(EXAMPLES.iterdir()) if p.is_file()}


def to_bytes(data):
    return data.encode("latin-1") if isinstance(data, str) else data


REF_RE = re.compile(rb"^[ \t,=]*(?:fir_coef|include)[ \t,=]+([^ \t,=\r\n]+)", re.M)


def with_references(files):
    """Adds the example files that the control and include files name and
    the case does not hold already (names that exist nowhere stay missing)."""
    files = dict(files)
    pending = [n for n in files if files[n] is not None]
    seen = set()
    while pending:
        name = pending.pop()
        if name in seen or not isinstance(files.get(name), (str, bytes)):
            continue
        seen.add(name)
        for ref in REF_RE.findall(to_bytes(files[name])):
            ref = ref.decode("latin-1")
            for cand in (ref, ref.split(".")[0] + ".zq7730", ref.split(".")[0] + ".txt"):
                if cand in files:
                    pending.append(cand)
                    break
                if cand in EXAMPLE_FILES and "/" not in cand:
                    files[cand] = EXAMPLE_FILES[cand]
                    pending.append(cand)
                    break
    return files


class Corpus:
    DIR = object()  # marks an entry that is an (empty) directory

    def __init__(self, out):
        self.out = out
        self.index = []
        self.seen = set()

    @staticmethod
    def signature(files):
        h = hashlib.sha256()
        for name in sorted(files):
            data = files[name]
            h.update(b"%d %s %d\n" % (len(name), name.encode("latin-1"), data is Corpus.DIR))
            if data is not Corpus.DIR:
                data = to_bytes(data)
                h.update(b"%d\n" % len(data) + data)
        return h.digest()

    def is_new(self, files):
        return self.signature(with_references(files)) not in self.seen

    def add(self, note, files, resolve=True):
        """files: name -> str or bytes contents, or Corpus.DIR."""
        if resolve:
            files = with_references(files)
        sig = self.signature(files)
        if sig in self.seen:
            raise ValueError(f"case '{note}' repeats an earlier case")
        self.seen.add(sig)
        case = self.out / f"{len(self.index):04d}"
        case.mkdir(parents=True)
        for name in sorted(files):
            data = files[name]
            path = case / name
            path.parent.mkdir(parents=True, exist_ok=True)
            if data is Corpus.DIR:
                path.mkdir(exist_ok=True)
            else:
                path.write_bytes(to_bytes(data))
        self.index.append("".join(c if " " <= c <= "~" else f"\\x{ord(c):02x}" for c in note))

    def finish(self):
        lines = [f"{i:04d} {note}\n" for i, note in enumerate(self.index)]
        (self.out / "INDEX").write_text("".join(lines), encoding="ascii")


# ---------------------------------------------------------------------------
# Small designs written out in full, for the hand-written cases.

RECEIVE = """mode ab r
mode cd r
fck = 100
print analysis
print debug
print table
channel 0
fir_coef lowpass31.coef
freq 10
cic_dec 8
fir_dec 2
mix_rcv_sel 0
pins 16
bits 16
overall_gain 1
channel 1
copy_channel 0
fir_coef lowpass31.coef
freq 12.5
mix_rcv_sel 1
channel 2
copy_channel 0
fir_coef lowpass31.coef
freq -7.25
mix_rcv_sel 2
channel 3
copy_channel 0
fir_coef lowpass31.coef
freq 30
mix_rcv_sel 3
"""

TRANSMIT = """mode ab t
mode cd t
fck = 100
tout_nsig 1
tout_cmplx 1
tout_rate 1
print analysis
print debug
print hfile
channel 0
fir_coef interp40.coef
freq 10
cic_int 8
fir_int 2
tinf_cmplx 1
pins 16
bits 16
channel 1
copy_channel 0
fir_coef interp40.coef
freq 20
channel 2
copy_channel 0
fir_coef interp40.coef
freq -15
channel 3
copy_channel 0
fir_coef interp40.coef
freq 30
"""

# Pair AB transmits, pair CD receives.
TRANSCEIVE = """mode ab t
mode cd r
fck = 100
tout_nsig 1
tout_cmplx 1
tout_rate 1
print analysis
print zq220
print table
channel 0
fir_coef interp40.coef
freq 12.5
cic_int 10
fir_int 2
tinf_cmplx 1
pins 16
bits 16
channel 1
copy_channel 0
fir_coef interp40.coef
freq 17.5
channel 2
fir_coef lowpass31.coef
freq 21.4
cic_dec 8
fir_dec 2
pins 16
bits 16
mix_rcv_sel 2
channel 3
copy_channel 2
fir_coef lowpass31.coef
freq 31.4
"""

# Pair AB receives, pair CD transmits.
RECEIVE_TRANSMIT = """mode ab r
mode cd t
fck = 100
tout_nsig 1
tout_cmplx 1
tout_rate 1
print analysis
print sim
print debug
channel 0
fir_coef lowpass31.coef
freq 11
cic_dec 8
fir_dec 2
pins 16
bits 16
mix_rcv_sel 0
overall_gain 1
channel 1
copy_channel 0
fir_coef lowpass31.coef
freq 13
mix_rcv_sel 1
channel 2
fir_coef interp40.coef
freq 12.5
cic_int 10
fir_int 2
tinf_cmplx 1
pins 16
bits 16
channel 3
copy_channel 2
fir_coef interp40.coef
freq 17.5
"""

# One receive channel; the rest powered down.
SINGLE = """mode ab r
mode cd r
fck 100
pwr_dwn_fir_B 1
pwr_dwn_cic_CD 1
pwr_dwn_fir_C 1
pwr_dwn_fir_D 1
print analysis
print table
channel 0
fir_coef lowpass31.coef
freq 10.7
cic_dec 8
fir_dec 2
mix_rcv_sel 0
pins 16
bits 16
"""

BASES = {
    "receive": RECEIVE,
    "transmit": TRANSMIT,
    "transceive": TRANSCEIVE,
    "receive_transmit": RECEIVE_TRANSMIT,
    "single": SINGLE,
}


def design(base, *extra):
    """A small design with extra lines appended."""
    text = BASES[base]
    for e in extra:
        text += e if e.endswith("\n") else e + "\n"
    return text


def example_text(name):
    return read_example(name + ".txt").decode("latin-1")


def insert_before_override(text, extra):
    lines = text.splitlines(keepends=True)
    for i, line in enumerate(lines):
        if line.split() == ["override"]:
            return "".join(lines[:i]) + extra + "".join(lines[i:])
    if text and not text.endswith("\n"):
        text += "\n"
    return text + extra


# ---------------------------------------------------------------------------
# Values.

def fmt_float(x, digits):
    return f"{x:.{digits}f}"


def wide_value(rng, name, base=None):
    """A plausible value for a wide variable, sometimes near `base`."""
    if base is not None and rng.chance(2, 3):
        factor = rng.choice([0.5, 0.9, 0.99, 1.01, 1.1, 1.5, 2.0, -1.0])
        return fmt_float(base * factor, rng.randint(0, 4))
    if name == "fck":
        return fmt_float(rng.randint(200, 1300) / 10, rng.randint(0, 3))
    if name == "freq":
        return fmt_float(rng.randint(-4000, 4000) / 100, rng.randint(0, 4))
    return fmt_float(rng.randint(1, 400) / 100, rng.randint(0, 3))


def int_value(rng, width, near=None):
    top = (1 << width) - 1
    kind = rng.weighted([(3, "near"), (2, "small"), (2, "any"), (1, "top"), (1, "over")])
    if kind == "near" and near is not None:
        return str(max(0, near + rng.choice([-2, -1, 1, 2, near])))
    if kind == "top":
        return str(top)
    if kind == "over":
        return rng.choice([str(top + 1), "-1", hex(top + 1)])
    if kind == "any":
        return str(rng.randint(0, top))
    return str(rng.randint(0, min(top, 3)))


def any_value(rng, name, old=None):
    if WIDTH[name] == 64:
        try:
            base = float(old) if old is not None else None
        except ValueError:
            base = None
        return wide_value(rng, name, base)
    try:
        near = int(old, 0) if old is not None else None
    except ValueError:
        near = None
    return int_value(rng, WIDTH[name], near)


# ---------------------------------------------------------------------------
# Perturbations of an example.  Each works on the list of lines of c.txt and
# the dict of extra files, and returns a short description.

SEPARATORS = [" = ", " ", "\t", ",", "=", " ,= ", "  \t"]


def words_of(line):
    return [w for w in re.split(r"[ \t,=]+", line.strip()) if w]


def assignment_lines(lines):
    out = []
    for i, line in enumerate(lines):
        w = words_of(line)
        if len(w) >= 2 and w[0] in WIDTH:
            out.append(i)
    return out


def body_start(lines):
    """Index of the first line after the mode lines."""
    last = 0
    for i, line in enumerate(lines):
        if words_of(line)[:1] == ["mode"]:
            last = i + 1
    return last


def p_change_value(rng, lines, files):
    idx = assignment_lines(lines)
    if not idx:
        return None
    i = rng.choice(idx)
    w = words_of(lines[i])
    new = any_value(rng, w[0], w[1])
    lines[i] = f"{w[0]}{rng.choice(SEPARATORS[:3])}{new}\n"
    return f"{w[0]} {w[1]}->{new}"


def p_delete_line(rng, lines, files):
    idx = [i for i, l in enumerate(lines) if l.strip() and not l.lstrip().startswith("#")]
    if not idx:
        return None
    i = rng.choice(idx)
    gone = lines.pop(i).strip()
    return f"delete '{gone}'"


def p_duplicate_line(rng, lines, files):
    idx = [i for i, l in enumerate(lines) if l.strip() and not l.lstrip().startswith("#")]
    i = rng.choice(idx)
    j = rng.randint(body_start(lines), len(lines))
    lines.insert(j, lines[i])
    return f"duplicate '{lines[i].strip()}'"


def p_swap_lines(rng, lines, files):
    if len(lines) < 3:
        return None
    i = rng.randint(0, len(lines) - 2)
    lines[i], lines[i + 1] = lines[i + 1], lines[i]
    return f"swap lines {i},{i + 1}"


def p_insert_var(rng, lines, files):
    scope, name, width = rng.choice(VARIABLES)
    value = any_value(rng, name)
    i = rng.randint(body_start(lines), len(lines))
    lines.insert(i, f"{name}{rng.choice(SEPARATORS)}{value}\n")
    return f"insert {name} {value}"


def p_insert_channel_var(rng, lines, files):
    scope, name, width = rng.choice([v for v in VARIABLES if v[0] != "g"])
    value = any_value(rng, name)
    ch = rng.randint(0, 3)
    at = insert_point(lines)
    lines[at:at] = [f"channel {ch}\n", f"{name} = {value}\n"]
    return f"channel {ch} {name} {value}"


def insert_point(lines):
    for i, line in enumerate(lines):
        if words_of(line) == ["override"]:
            return i
    return len(lines)


def p_print(rng, lines, files):
    idx = [i for i, l in enumerate(lines) if words_of(l)[:1] == ["print"]]
    if idx and rng.chance(1, 2):
        i = rng.choice(idx)
        return f"delete '{lines.pop(i).strip()}'"
    opt = rng.choice(PRINT_OPTIONS)
    opt = rng.choice([opt, opt[0], opt[0].upper() + opt[1:], opt + "xyz"])
    lines.insert(body_start(lines), f"print {opt}\n")
    return f"print {opt}"


def p_separator(rng, lines, files):
    idx = assignment_lines(lines)
    if not idx:
        return None
    i = rng.choice(idx)
    w = words_of(lines[i])
    lines[i] = rng.choice(["", " ", "\t", ", "]) + rng.choice(SEPARATORS).join(w) + \
        rng.choice(["", " ", "\t", " ,"]) + "\n"
    return f"separators of {w[0]}"


def p_comment(rng, lines, files):
    idx = [i for i, l in enumerate(lines) if l.strip() and not l.lstrip().startswith("#")]
    i = rng.choice(idx)
    mark = rng.choice(["#", "/", ";", "//", "# ", ";;"])
    lines[i] = mark + lines[i]
    return f"comment out '{lines[i].strip()}'"


def p_override(rng, lines, files):
    if not any(words_of(l) == ["override"] for l in lines):
        lines.append("override\n")
    ch = rng.randint(0, 3)
    lines.append(f"channel {ch}\n")
    desc = [f"override channel {ch}"]
    for _ in range(rng.randint(1, 3)):
        scope, name, width = rng.choice(VARIABLES)
        value = any_value(rng, name)
        lines.append(f"{name} = {value}\n")
        desc.append(f"{name} {value}")
    return " ".join(desc)


def p_power_down(rng, lines, files):
    name = rng.choice(["pwr_dwn_fir_A", "pwr_dwn_fir_B", "pwr_dwn_fir_C", "pwr_dwn_fir_D",
                       "pwr_dwn_cic_AB", "pwr_dwn_cic_CD"])
    lines.insert(body_start(lines), f"{name} = 1\n")
    return f"{name} 1"


def p_mode(rng, lines, files):
    idx = [i for i, l in enumerate(lines) if words_of(l)[:1] == ["mode"]]
    if not idx:
        return None
    i = rng.choice(idx)
    w = words_of(lines[i])
    direction = rng.choice(["receive", "transmit", "r", "t", "rx", "x"])
    pair = w[1] if len(w) > 1 else "ab"
    lines[i] = f"mode {pair} {direction}\n"
    return f"mode {pair} {direction}"


def p_channel_number(rng, lines, files):
    idx = [i for i, l in enumerate(lines) if words_of(l)[:1] in (["channel"], ["copy_channel"])]
    if not idx:
        return None
    i = rng.choice(idx)
    w = words_of(lines[i])
    n = rng.choice(["0", "1", "2", "3", "3", "2", "4", "-1"])
    lines[i] = f"{w[0]} {n}\n"
    return f"{w[0]} {n}"


def p_case(rng, lines, files):
    idx = [i for i, l in enumerate(lines) if words_of(l)]
    i = rng.choice(idx)
    w = words_of(lines[i])
    lines[i] = " ".join([w[0][:1].upper() + w[0][1:]] + w[1:]) + "\n"
    return f"capitalise '{w[0]}'"


def p_help(rng, lines, files):
    prefix = rng.choice(["agc", "fir_", "tout", "cic", "p", "gain", "freq_m", "zz", "sum_",
                         "mix", "rin", "x"])
    lines.insert(rng.randint(0, len(lines)), f"help {prefix}\n")
    return f"help {prefix}"


def p_coef(rng, lines, files):
    """Points one fir_coef line at a changed copy of its coefficient file."""
    idx = [i for i, l in enumerate(lines) if words_of(l)[:1] == ["fir_coef"]]
    if not idx:
        return None
    i = rng.choice(idx)
    w = words_of(lines[i])
    source = w[1] if len(w) > 1 and w[1] in EXAMPLE_FILES else rng.choice(COEF_NAMES)
    numbers = [int(x) for x in re.findall(rb"^\s*(-?\d+)", EXAMPLE_FILES[source], re.M)]
    how = rng.choice(["scale", "drop", "add", "asym", "other", "tiny", "big"])
    if how == "scale":
        f = rng.choice([0.25, 0.5, 1.5, 2.0, -1.0])
        numbers = [int(round(x * f)) for x in numbers]
    elif how == "drop" and len(numbers) > 2:
        k = rng.randint(1, max(1, len(numbers) // 2))
        numbers = numbers[k // 2:len(numbers) - (k - k // 2)]
    elif how == "add":
        numbers = numbers + [rng.randint(-100, 100) for _ in range(rng.randint(1, 9))]
    elif how == "asym" and numbers:
        j = rng.below(len(numbers))
        numbers[j] += rng.randint(1, 50)
    elif how == "other":
        lines[i] = f"fir_coef {rng.choice(COEF_NAMES)}\n"
        return f"fir_coef -> {words_of(lines[i])[1]}"
    elif how == "tiny":
        numbers = [rng.randint(-3, 3) for _ in range(rng.randint(1, 7))]
    elif how == "big" and numbers:
        j = rng.below(len(numbers))
        numbers[j] = rng.choice([32767, -32768, 32768, 40000, -70000])
    name = f"p{len(files)}.coef"
    files[name] = "".join(f"{x}\n" for x in numbers)
    lines[i] = f"fir_coef {name}\n"
    return f"coefficients {source} {how}"


def p_inline_include(rng, lines, files):
    idx = [i for i, l in enumerate(lines)
           if words_of(l)[:1] == ["include"] and len(words_of(l)) > 1
           and words_of(l)[1] in EXAMPLE_FILES]
    if not idx:
        return None
    i = rng.choice(idx)
    name = words_of(lines[i])[1]
    body = EXAMPLE_FILES[name].decode("latin-1").splitlines(keepends=True)
    lines[i:i + 1] = body
    return f"inline {name} at line {i}"


PERTURBATIONS = [
    (12, p_change_value), (3, p_delete_line), (2, p_duplicate_line), (1, p_swap_lines),
    (4, p_insert_var), (4, p_insert_channel_var), (3, p_print), (2, p_separator),
    (2, p_comment), (3, p_override), (2, p_power_down), (1, p_mode), (1, p_channel_number),
    (1, p_case), (1, p_help), (3, p_coef), (3, p_inline_include),
]
# The ones that rarely break a design, for the runs meant to succeed.
GENTLE = [(6, "freq"), (2, "overall_gain"), (2, "gain"), (1, "fck"), (2, "print"),
          (2, "separator"), (1, "help"), (2, "comment")]


def perturbed_cases(corpus, rng, count):
    for n in range(count):
        name = EXAMPLE_NAMES[n % len(EXAMPLE_NAMES)]
        lines = example_text(name).splitlines(keepends=True)
        files = {}
        original = list(lines)
        while True:
            lines, files, desc = list(original), {}, []
            k = rng.weighted([(5, 1), (3, 2), (1, 3), (1, 4)])
            while len(desc) < k:
                what = rng.weighted(PERTURBATIONS)(rng, lines, files)
                if what is not None:
                    desc.append(what)
            files["c.txt"] = "".join(lines)
            if corpus.is_new(files):
                break
        corpus.add(f"perturbed {name}: " + "; ".join(desc), files)


def gentle_cases(corpus, rng, count):
    """Perturbations that keep the design sound: new frequencies, gains,
    print lines, spacing and comments."""
    for n in range(count):
        name = EXAMPLE_NAMES[n % len(EXAMPLE_NAMES)]
        lines = example_text(name).splitlines(keepends=True)
        desc = []
        for _ in range(rng.randint(1, 3)):
            what = rng.weighted(GENTLE)
            if what == "freq":
                idx = [i for i, l in enumerate(lines) if words_of(l)[:1] == ["freq"]]
                if idx:
                    i = rng.choice(idx)
                    v = fmt_float(rng.randint(-3900, 3900) / 100, rng.randint(0, 5))
                    lines[i] = f"freq = {v}\n"
                    desc.append(f"freq {v}")
            elif what in ("overall_gain", "gain"):
                v = fmt_float(rng.randint(5, 100) / 100, rng.randint(1, 3))
                ch = rng.randint(0, 3)
                at = insert_point(lines)
                lines[at:at] = [f"channel {ch}\n", f"{what} = {v}\n"]
                desc.append(f"channel {ch} {what} {v}")
            elif what == "fck":
                idx = [i for i, l in enumerate(lines) if words_of(l)[:1] == ["fck"]]
                i = idx[0]
                old = float(words_of(lines[i])[1])
                v = fmt_float(old * rng.choice([1.0, 1.05, 1.2, 1.25]), rng.randint(0, 3))
                lines[i] = f"fck = {v}\n"
                desc.append(f"fck {v}")
            elif what == "print":
                opt = rng.choice(PRINT_OPTIONS)
                lines.insert(body_start(lines), f"print {opt}\n")
                desc.append(f"print {opt}")
            elif what == "separator":
                desc.append(p_separator(rng, lines, {}))
            elif what == "help":
                desc.append(p_help(rng, lines, {}))
            else:
                i = rng.randint(0, len(lines))
                lines.insert(i, rng.choice(["# note\n", "/ note\n", "; note\n", "\n", "   \n"]))
                desc.append("comment line")
        if not corpus.is_new({"c.txt": "".join(lines)}):
            lines.insert(rng.randint(body_start(lines), len(lines)), f"# variant {n}\n")
            desc.append("comment line")
        corpus.add(f"gentle {name}: " + "; ".join(desc), {"c.txt": "".join(lines)})


# ---------------------------------------------------------------------------
# Hand-written cases.

def example_cases(corpus):
    prints = "".join(f"print {o}\n" for o in PRINT_OPTIONS)
    for name in EXAMPLE_NAMES:
        text = example_text(name)
        corpus.add(f"example {name}", {"c.txt": text})
    for name in EXAMPLE_NAMES:
        lines = example_text(name).splitlines(keepends=True)
        at = body_start(lines)
        lines[at:at] = [prints]
        corpus.add(f"example {name} with every output", {"c.txt": "".join(lines)})
    for name in EXAMPLE_NAMES:
        text = example_text(name)
        if "override" not in text:
            text += "override\n"
        text += "channel 1\nphase = 5\nagc_Dblw = 3\nfck 90\nchannel 3\nfreq_lsb 0x1234\ngain_lsb 17\n"
        corpus.add(f"example {name} with an override section", {"c.txt": text})
    # The example run from a control file that names its include without
    # the extension, and the include file stored under other names.
    text = example_text("receive_agc").replace("include receive_channel.inc",
                                               "include receive_channel")
    inc = EXAMPLE_FILES["receive_channel.inc"]
    corpus.add("include by base name, resolved to .txt",
               {"c.txt": text, "receive_channel.txt": inc, "halfband63.coef":
                EXAMPLE_FILES["halfband63.coef"]})
    corpus.add("include by base name, resolved to .zq7730",
               {"c.txt": text, "receive_channel.zq7730": inc, "halfband63.coef":
                EXAMPLE_FILES["halfband63.coef"]})
    corpus.add("include by base name, not found", {"c.txt": text})
    # Includes in a subdirectory; the coefficient name is relative to the
    # working directory, not to the include file.
    sub = example_text("receive_agc").replace("include receive_channel.inc",
                                              "include sub/shared.inc")
    corpus.add("include from a subdirectory",
               {"c.txt": sub, "sub/shared.inc": inc,
                "halfband63.coef": EXAMPLE_FILES["halfband63.coef"]}, resolve=False)
    corpus.add("include from a subdirectory, coefficients only beside the include",
               {"c.txt": sub, "sub/shared.inc": inc,
                "sub/halfband63.coef": EXAMPLE_FILES["halfband63.coef"]}, resolve=False)


def command_cases(corpus):
    add = corpus.add
    # mode
    for a, b in [("r", "r"), ("t", "t"), ("t", "r"), ("r", "t")]:
        add(f"mode ab {a} mode cd {b}, nothing else",
            {"c.txt": f"mode ab {a}\nmode cd {b}\nprint analysis\n"})
    add("no mode at all", {"c.txt": "fck 100\nprint analysis\nchannel 0\nfreq 10\n"})
    add("only mode ab", {"c.txt": RECEIVE.replace("mode cd r\n", "")})
    add("only mode cd", {"c.txt": RECEIVE.replace("mode ab r\n", "")})
    add("mode ab only, pair CD powered down",
        {"c.txt": SINGLE.replace("mode cd r\n", "")})
    add("settings before the modes",
        {"c.txt": "fck 100\nchannel 0\nfreq 3\n" + RECEIVE})
    add("mode changed later", {"c.txt": RECEIVE + "mode ab t\n"})
    add("mode repeated the same", {"c.txt": RECEIVE + "mode ab r\nmode cd receive\n"})
    for line in ["mode", "mode ab", "mode xy r", "mode ab q", "mode AB r", "mode ba r",
                 "mode abcd r", "mode cd", "mode c r", "mode a t", "mode ab receive extra words"]:
        add(f"bad mode line '{line}'", {"c.txt": line + "\n" + RECEIVE})
    # channel
    for n in ["0", "3", "4", "-1", "x", "", "1.5", "0x2", "99999999999999", "2 extra"]:
        add(f"channel '{n}'", {"c.txt": RECEIVE + f"channel {n}\nfreq 1\n"})
    add("capitalised command Channel", {"c.txt": RECEIVE + "Channel 1\n"})
    # copy_channel
    for n in ["0", "1", "3", "4", "", "-2", "z"]:
        add(f"copy_channel '{n}' into channel 2",
            {"c.txt": RECEIVE + f"channel 2\ncopy_channel {n}\n"})
    add("copy_channel transmit into receive", {"c.txt": TRANSCEIVE + "channel 2\ncopy_channel 0\n"})
    add("copy_channel receive into transmit", {"c.txt": TRANSCEIVE + "channel 1\ncopy_channel 3\n"})
    add("copy_channel of itself", {"c.txt": RECEIVE + "channel 1\ncopy_channel 1\n"})
    add("copy_channel before any channel line", {"c.txt": "mode ab r\nmode cd r\ncopy_channel 1\n" + RECEIVE[20:]})
    add("copied coefficients only, no fir_coef repeated",
        {"c.txt": RECEIVE.replace("copy_channel 0\nfir_coef lowpass31.coef\n", "copy_channel 0\n")})
    # fir_coef
    add("fir_coef without a name", {"c.txt": RECEIVE + "channel 1\nfir_coef\n"})
    add("fir_coef of a missing file", {"c.txt": RECEIVE + "channel 1\nfir_coef none.coef\n"})
    add("fir_coef of a directory", {"c.txt": RECEIVE + "channel 1\nfir_coef d\n", "d": Corpus.DIR})
    add("fir_coef before any channel", {"c.txt": "mode ab r\nmode cd r\nfir_coef lowpass31.coef\n"})
    add("fir_coef naming an output being written",
        {"c.txt": RECEIVE + "channel 1\nfir_coef c.anl\n"})
    add("fir_coef naming the temporary command file",
        {"c.txt": RECEIVE + "channel 1\nfir_coef cmd7730TmpCmdFile\n"})
    add("fir_coef naming the control file",
        {"c.txt": RECEIVE + "channel 1\nfir_coef c.txt\n"})
    add("fir_coef twice on a channel",
        {"c.txt": RECEIVE + "channel 1\nfir_coef halfband63.coef\nfir_coef lowpass31.coef\n"})
    # help
    for p in ["agc", "gain_read", "a", "fir_", "tout", "zz", "sync", "freq", "t", "splitiq",
              "agc_D", "agc_d", "Agc", "_"]:
        add(f"help {p}", {"c.txt": f"mode ab r\nmode cd r\nprint debug\nprint analysis\nhelp {p}\n"})
    add("help without a prefix", {"c.txt": "mode ab r\nmode cd r\nhelp\n"})
    add("help before the modes", {"c.txt": "help agc_tc\n" + RECEIVE})
    add("help inside a design", {"c.txt": RECEIVE + "help cic\nhelp bits\n"})
    add("help in transmit", {"c.txt": TRANSMIT + "help tinf\nhelp tout_\n"})
    add("help with extra words", {"c.txt": RECEIVE + "help agc_tc agc_cf\n"})
    # print
    for opt in PRINT_OPTIONS:
        add(f"print {opt} only", {"c.txt": RECEIVE.replace("print analysis\nprint debug\nprint table\n",
                                                             f"print {opt}\n")})
    for opt in ["a", "D", "Table", "hx", "zzz", "sIM", "x", "bogus", "1", "analysis debug"]:
        add(f"print '{opt}'", {"c.txt": RECEIVE + f"print {opt}\n"})
    add("print without an option", {"c.txt": RECEIVE + "print\n"})
    add("no print line", {"c.txt": RECEIVE.replace("print analysis\nprint debug\nprint table\n", "")})
    add("print lines last", {"c.txt": RECEIVE.replace("print analysis\nprint debug\nprint table\n", "")
                             + "".join(f"print {o}\n" for o in PRINT_OPTIONS)})
    add("print twice", {"c.txt": RECEIVE + "print table\nprint t\nprint analysis\n"})
    add("print before the modes", {"c.txt": "print analysis\nprint debug\n" + RECEIVE})
    add("every output of a failing run",
        {"c.txt": "mode ab r\nmode cd r\n" + "".join(f"print {o}\n" for o in PRINT_OPTIONS)
         + "fck 100\n"})
    # override
    add("override with nothing after it", {"c.txt": RECEIVE + "override\n"})
    add("override, then chip values", {"c.txt": RECEIVE + "override\nfck 50\nsync_mode 2\n"})
    add("override, per-channel value without a channel line",
        {"c.txt": RECEIVE + "override\nfreq_lsb 7\n"})
    add("override of every channel",
        {"c.txt": RECEIVE + "override\n" + "".join(
            f"channel {c}\nphase {100 * c + 1}\ngain_lsb {c + 3}\nfir_shift {c}\n" for c in range(4))})
    add("override with a bad value", {"c.txt": RECEIVE + "override\nchannel 0\nphase 70000\n"})
    add("override with a command after it",
        {"c.txt": RECEIVE + "override\nchannel 0\nfir_coef halfband63.coef\nmode ab t\n"})
    add("override twice", {"c.txt": RECEIVE + "override\nchannel 1\nphase 9\noverride\nphase 10\n"})
    add("override with print after it", {"c.txt": RECEIVE + "override\nprint hfile\nprint sim\n"})
    add("override in transmit", {"c.txt": TRANSMIT + "override\nchannel 2\ngain_msb 1\ntout_nsig 2\n"})
    add("override of computed values",
        {"c.txt": RECEIVE + "override\nchannel 0\nncic 3\ncic_shift 9\nfir_clk_cnt 4\nagc_thresh 9\n"})
    # comments
    add("comments of every kind",
        {"c.txt": "# hash\n/ slash\n; semicolon\n" + RECEIVE.replace("fck = 100\n",
                  "fck = 100\n#fck 50\n//fck 50\n;fck 50\n  # indented\n\t; tab\n, # after comma\n")})
    add("comment mark after words", {"c.txt": RECEIVE + "channel 1 # second\nfreq 3 ; tuned\n"})
    add("comment-like word in value", {"c.txt": RECEIVE + "channel 1\nfreq #3\n"})
    add("only comments", {"c.txt": "# a\n/ b\n; c\n"})
    add("empty control file", {"c.txt": ""})
    add("blank lines only", {"c.txt": "\n\n   \n\t\n"})
    # separators
    add("commas, tabs and = as separators",
        {"c.txt": RECEIVE.replace(" ", ",").replace("fck,=,100", "fck\t=\t100")})
    add("leading separators", {"c.txt": "".join("  ,= " + l for l in RECEIVE.splitlines(keepends=True))})
    add("extra words after commands", {"c.txt": RECEIVE.replace("\n", " extra words\n")})
    # unknown words
    for w in ["Fck 100", "frq 10", "fck100", "pins16", "include_x a", "=", ",,,", "mode_ab r",
              "xyzzy", "agc_dblw 3"]:
        add(f"unknown line '{w}'", {"c.txt": RECEIVE + w + "\n"})
    add("variable without a value", {"c.txt": RECEIVE + "channel 1\nfreq\n"})
    add("integer variable without a value", {"c.txt": RECEIVE + "channel 1\ncic_dec\n"})
    add("variable before any channel line",
        {"c.txt": "mode ab r\nmode cd r\nfreq 7\npins 8\n" + RECEIVE[20:]})


def include_cases(corpus):
    add = corpus.add
    base = RECEIVE
    add("include of a missing file", {"c.txt": base + "include missing.inc\n"})
    add("include without a name", {"c.txt": base + "include\n"})
    add("include of a directory", {"c.txt": base + "include d\n", "d": Corpus.DIR})
    add("include of itself", {"c.txt": "include c.txt\n" + base})
    add("include of itself by base name", {"c.txt": base + "include c\n"})
    add("include cycle of two", {"c.txt": base + "include a.inc\n",
                                 "a.inc": "channel 1\ninclude b.inc\n", "b.inc": "freq 3\ninclude a.inc\n"})
    add("include cycle of three",
        {"c.txt": "include a.inc\n" + base, "a.inc": "include b.inc\n", "b.inc": "include e.inc\n",
         "e.inc": "# back\ninclude a.inc\n"})
    add("include of the temporary command file", {"c.txt": base + "include cmd7730TmpCmdFile\n"})
    add("include of an output file", {"c.txt": base + "include c.tbl\n"})
    add("include of a coefficient file", {"c.txt": base + "include lowpass31.coef\n"})
    add("same file included twice", {"c.txt": base + "include s.inc\ninclude s.inc\n",
                                      "s.inc": "channel 2\nfreq 4.5\n"})
    add("include of an empty file", {"c.txt": base + "include e.inc\n", "e.inc": ""})
    add("include without a final newline", {"c.txt": base + "include e.inc\nchannel 3\nfreq 1\n",
                                            "e.inc": "channel 1\nfreq 2"})
    add("whole design in an include", {"c.txt": "# top\ninclude design.inc\n", "design.inc": base})
    add("modes in the control file, design in an include",
        {"c.txt": "mode ab t\nmode cd t\ninclude x\n", "x": TRANSMIT[20:]})
    add("include with extra words", {"c.txt": base + "include s.inc ignored\n",
                                     "s.inc": "channel 1\nfreq 3\n"})
    for depth in (10, 63, 64, 65, 70):
        files = {"c.txt": base + "include n0.inc\n"}
        for i in range(depth):
            nxt = f"include n{i + 1}.inc\n" if i + 1 < depth else "channel 1\nfreq 2.25\n"
            files[f"n{i}.inc"] = f"# level {i}\n" + nxt
        add(f"includes nested {depth} deep", files)
    add("include with a bad line inside", {"c.txt": base + "include s.inc\n",
                                           "s.inc": "channel 1\nbogus 3\nfreq x\n"})
    add("include naming the control file's base with .zq7730",
        {"c.txt": base + "include q\n", "q.zq7730": "channel 1\nfreq 6\n", "q.txt": "channel 1\nfreq 7\n"})
    add("include name found as is before .txt",
        {"c.txt": base + "include q\n", "q": "channel 1\nfreq 5\n", "q.txt": "channel 1\nfreq 7\n"})


def control_file_cases(corpus):
    add = corpus.add
    add("control file missing", {"other.txt": RECEIVE}, resolve=False)
    add("control file is a directory", {"c.txt": Corpus.DIR, "c": RECEIVE})
    add("control file missing, base name present", {"c": RECEIVE})
    add("control file missing, .zq7730 present", {"c.zq7730": RECEIVE})
    add("old outputs longer than the new ones",
        {"c.txt": RECEIVE, "c.tbl": "x" * 30000 + "\n", "c.anl": "old\n" * 5000,
         "c.h": "old header\n", "cmd7730TmpCmdFile": "stale\n" * 2000})
    add("old outputs and a failing run",
        {"c.txt": "mode ab r\nprint table\nprint analysis\n", "c.tbl": "old table\n" * 100,
         "c.sim": "old sim\n", "c.dbg": "old\n"})
    add("output name taken by a directory", {"c.txt": RECEIVE, "c.anl": Corpus.DIR})
    add("temporary command file name taken by a directory",
        {"c.txt": RECEIVE, "cmd7730TmpCmdFile": Corpus.DIR})


def mandatory_cases(corpus):
    add = corpus.add
    rec_mand = ["fir_coef", "freq", "cic_dec", "fir_dec", "mix_rcv_sel", "pins", "bits", "fck"]
    for word in rec_mand:
        text = "".join(l for l in SINGLE.splitlines(keepends=True) if words_of(l)[:1] != [word])
        add(f"receive without {word}", {"c.txt": text})
    xmt = TRANSMIT
    for word in ["fir_coef", "freq", "cic_int", "fir_int", "tinf_cmplx", "pins", "bits", "fck",
                 "tout_nsig"]:
        lines = xmt.splitlines(keepends=True)
        # only channel A's line (and the chip lines) go
        out, seen = [], False
        for l in lines:
            if words_of(l)[:1] == [word] and not seen:
                seen = True
                continue
            out.append(l)
        add(f"transmit without {word} on channel A", {"c.txt": "".join(out)})
    add("receive channel B without its own settings",
        {"c.txt": RECEIVE.replace("copy_channel 0\nfir_coef lowpass31.coef\nfreq 12.5\n", "")})
    add("freq given as freq_msb words",
        {"c.txt": SINGLE.replace("freq 10.7\n", "freq_msb 0x1b6d\nfreq_mid 0xb6db\nfreq_lsb 0x6db7\n")})
    add("freq_msb only", {"c.txt": SINGLE.replace("freq 10.7\n", "freq_msb 4000\n")})
    add("bypass_mix without freq", {"c.txt": SINGLE.replace("freq 10.7\n", "bypass_mix 1\n")})
    add("bypass_cic without cic_dec", {"c.txt": SINGLE.replace("cic_dec 8\n", "bypass_cic 1\n")})
    add("bypass_fir", {"c.txt": SINGLE + "bypass_fir 1\n"})
    add("bypass everything", {"c.txt": SINGLE + "bypass_fir 1\nbypass_cic 1\nbypass_mix 1\n"})
    add("bypass_cic in transmit", {"c.txt": TRANSMIT + "channel 0\nbypass_cic 1\n"})
    add("bypass_fir in transmit", {"c.txt": TRANSMIT + "channel 1\nbypass_fir 1\n"})
    add("every channel powered down",
        {"c.txt": "mode ab r\nmode cd r\nfck 100\nprint analysis\nprint table\npwr_dwn_cic_AB 1\n"
                  "pwr_dwn_cic_CD 1\npwr_dwn_fir_A 1\npwr_dwn_fir_B 1\npwr_dwn_fir_C 1\npwr_dwn_fir_D 1\n"})
    add("pair powered down without its mode",
        {"c.txt": "mode ab r\nfck 100\nprint analysis\npwr_dwn_cic_CD 1\npwr_dwn_fir_C 1\n"
                  "pwr_dwn_fir_D 1\n" + SINGLE[20:]})
    add("FIR powered down but pair on", {"c.txt": RECEIVE + "pwr_dwn_fir_C 1\n"})
    add("pair powered down but FIRs on", {"c.txt": RECEIVE + "pwr_dwn_cic_CD 1\n"})


def coefficient_cases(corpus):
    add = corpus.add
    odd = {
        "empty": "",
        "comments only": "# nothing\n; here\n",
        "all zero": "0\n" * 31,
        "single tap": "1000\n",
        "two taps": "1000\n1000\n",
        "exactly 512": "".join(f"{(i % 7) - 3}\n" for i in range(512)),
        "513": "".join(f"{(i % 5) + 1}\n" for i in range(513)),
        "600": "2\n" * 600,
        "beyond 16 bits": "10\n20\n40000\n20\n10\n",
        "below -32768": "10\n-32769\n10\n",
        "at the 16-bit limits": "32767\n-32768\n32767\n",
        "beyond 32 bits": "5\n99999999999\n5\n",
        "2^31": "5\n2147483648\n5\n",
        "-2^31": "5\n-2147483648\n5\n",
        "text after numbers": "100 first\n200,x\n300\t# c\n200\n100abc\n",
        "signs": "+100\n-200\n+-3\n- 4\n200\n",
        "decimals": "1.5\n2.9\n-3.7\n2.9\n1.5\n",
        "hex": "0x10\n0x20\n0x10\n",
        "crlf": "100\r\n200\r\n300\r\n200\r\n100\r\n",
        "cr only": "100\r200\r300\r200\r100\r",
        "nul bytes": "100\n\x00200\n300\x00\n200\n100\n",
        "high bytes": "100\n\xe9200\n300\xff\n200\n100\n",
        "no final newline": "100\n200\n300\n200\n100",
        "leading blanks": "   100\n\t200\n  300\n 200\n100\n",
        "long line": "100" + " " * 5000 + "7\n200\n" + "9" * 3000 + "\n",
        "symmetric even": "10\n-20\n300\n300\n-20\n10\n",
        "antisymmetric": "10\n-20\n300\n-300\n20\n-10\n",
        "large symmetric": "".join(f"{min(i, 127 - i) * 200}\n" for i in range(128)),
        "large asymmetric": "".join(f"{(i * 37) % 2000 - 1000}\n" for i in range(200)),
    }
    for label, data in odd.items():
        files = {"c.txt": SINGLE.replace("lowpass31.coef", "f.coef"), "f.coef": data}
        add(f"receive coefficients: {label}", files)
    for label in ["empty", "all zero", "exactly 512", "beyond 16 bits", "single tap",
                  "large symmetric", "large asymmetric", "comments only"]:
        text = TRANSMIT.replace("interp40.coef", "f.coef")
        add(f"transmit coefficients: {label}", {"c.txt": text, "f.coef": odd[label]})
    add("coefficients beyond 16 bits, no analysis output",
        {"c.txt": SINGLE.replace("print analysis\n", "").replace("lowpass31.coef", "f.coef"),
         "f.coef": odd["beyond 16 bits"]})
    add("coefficients beyond 16 bits, with override",
        {"c.txt": SINGLE.replace("lowpass31.coef", "f.coef") + "override\nfck 100\n",
         "f.coef": odd["beyond 16 bits"]})
    add("coefficients beyond 16 bits, override, no analysis",
        {"c.txt": SINGLE.replace("print analysis\n", "print hfile\n").replace("lowpass31.coef", "f.coef")
                  + "override\nfck 100\n", "f.coef": odd["beyond 16 bits"]})
    for name in COEF_NAMES:
        add(f"receive with {name}", {"c.txt": SINGLE.replace("lowpass31.coef", name)})
        add(f"transmit with {name}", {"c.txt": TRANSMIT.replace("interp40.coef", name)})
    for taps in (64, 128, 200, 256, 300, 400):
        data = "".join(f"{min(i, taps - 1 - i) * 50 + 1}\n" for i in range(taps))
        add(f"transmit with {taps} symmetric taps",
            {"c.txt": TRANSMIT.replace("interp40.coef", "f.coef"), "f.coef": data})
        add(f"receive with {taps} symmetric taps, fir_dec 4",
            {"c.txt": SINGLE.replace("lowpass31.coef", "f.coef").replace("fir_dec 2", "fir_dec 4"),
             "f.coef": data})


def degenerate_cases(corpus):
    add = corpus.add
    bases = [("receive", RECEIVE, "fir_dec"), ("transmit", TRANSMIT, "fir_int"),
             ("transceive", TRANSCEIVE, None), ("receive_transmit", RECEIVE_TRANSMIT, None)]
    for label, text, rate in bases:
        for ch in range(4):
            for var in ["fir_dec", "fir_int", "fir_nchan"]:
                if label == "transceive":
                    if (var == "fir_dec" and ch < 2) or (var == "fir_int" and ch >= 2):
                        continue
                elif label == "receive_transmit":
                    if (var == "fir_dec" and ch >= 2) or (var == "fir_int" and ch < 2):
                        continue
                elif var not in (rate, "fir_nchan"):
                    continue
                add(f"{label}: {var} 0 on channel {ch}", {"c.txt": text + f"channel {ch}\n{var} 0\n"})
    for ch in range(4):
        add(f"transmit: cic_int 0 on channel {ch}", {"c.txt": TRANSMIT + f"channel {ch}\ncic_int 0\n"})
        add(f"receive: cic_dec 0 on channel {ch}", {"c.txt": RECEIVE + f"channel {ch}\ncic_dec 0\n"})
    for v in [1, 2, 3, 4, 6, 16, 64, 4095]:
        add(f"transmit: cic_int {v}", {"c.txt": TRANSMIT + f"channel 0\ncic_int {v}\n"})
        add(f"receive: cic_dec {v}", {"c.txt": RECEIVE + f"channel 0\ncic_dec {v}\n"})
    for v in [1, 3, 4, 8, 15, 16, 17, 31, 32]:
        add(f"receive: fir_dec {v}", {"c.txt": RECEIVE + f"channel 1\nfir_dec {v}\n"})
        add(f"transmit: fir_int {v}", {"c.txt": TRANSMIT + f"channel 1\nfir_int {v}\n"})
    for v in [1, 2, 3, 4, 31]:
        add(f"receive: fir_nchan {v}", {"c.txt": RECEIVE + f"channel 0\nfir_nchan {v}\n"})
    for v in [0, 1, 2, 3, 4, 5, 8, 12, 16, 20, 31, 32]:
        add(f"receive: pins {v}", {"c.txt": RECEIVE + f"channel 2\npins {v}\n"})
        add(f"receive: bits {v}", {"c.txt": RECEIVE + f"channel 2\nbits {v}\n"})
    for v in [0, 4, 8, 12, 17, 20]:
        add(f"transmit: pins {v}", {"c.txt": TRANSMIT + f"channel 3\npins {v}\n"})
        add(f"transmit: bits {v}", {"c.txt": TRANSMIT + f"channel 3\nbits {v}\n"})
    add("receive: pins 8 bits 8 on every channel",
        {"c.txt": RECEIVE + "".join(f"channel {c}\npins 8\nbits 8\n" for c in range(4))})
    add("receive: pins 4 bits 20", {"c.txt": RECEIVE + "channel 0\npins 4\nbits 20\n"})
    add("transmit: pins 4 bits 4 real input",
        {"c.txt": TRANSMIT + "".join(f"channel {c}\npins 4\nbits 4\ntinf_cmplx 0\n" for c in range(4))})


def agc_cases(corpus):
    add = corpus.add
    variants = [
        ("AGC on, nothing else", "agc_freeze 0"),
        ("AGC on, tc only", "agc_freeze 0\nagc_tc 300"),
        ("AGC on, cf only", "agc_freeze 0\nagc_cf 8"),
        ("AGC on, mode only", "agc_freeze 0\nagc_mode 1"),
        ("AGC on, all set", "agc_freeze 0\nagc_tc 50\nagc_cf 6\nagc_mode 0"),
        ("AGC on, tc 0", "agc_freeze 0\nagc_tc 0"),
        ("AGC on, tc 65535", "agc_freeze 0\nagc_tc 65535"),
        ("AGC on, tc 1", "agc_freeze 0\nagc_tc 1"),
        ("AGC on, cf 0", "agc_freeze 0\nagc_cf 0"),
        ("AGC on, cf 40", "agc_freeze 0\nagc_cf 40"),
        ("AGC on, mode 2", "agc_freeze 0\nagc_mode 2"),
        ("AGC on, mode 3", "agc_freeze 0\nagc_mode 3"),
        ("AGC on, mode 15", "agc_freeze 0\nagc_mode 15"),
        ("AGC frozen with AGC settings", "agc_freeze 1\nagc_tc 100\nagc_cf 9\nagc_mode 1"),
        ("AGC on, overall_gain 0", "agc_freeze 0\noverall_gain 0"),
        ("AGC on, overall_gain 8", "agc_freeze 0\noverall_gain 8"),
        ("AGC on, own thresholds", "agc_freeze 0\nagc_thresh 40\nagc_Dblw 2\nagc_Dabv 3"),
        ("AGC on, own limits", "agc_freeze 0\nagc_min 100\nagc_max 2000"),
        ("AGC on, gain given", "agc_freeze 0\ngain 0.5"),
        ("AGC frozen, overall_gain 4", "overall_gain 4"),
        ("AGC frozen, overall_gain 0.01", "overall_gain 0.01"),
        ("AGC on, agc_gain_out and hold", "agc_freeze 0\nagc_gain_out 1\nagc_hold 1"),
    ]
    for label, lines in variants:
        add(f"receive channel 1: {label}", {"c.txt": RECEIVE + "channel 1\n" + lines + "\n"})
    for label, lines in variants[:8]:
        add(f"transceive channel 3: {label}", {"c.txt": TRANSCEIVE + "channel 3\n" + lines + "\n"})
    add("AGC settings on a transmit channel",
        {"c.txt": TRANSMIT + "channel 0\nagc_freeze 0\nagc_tc 100\nagc_mode 1\n"})
    add("AGC on for every channel, mixed modes",
        {"c.txt": RECEIVE + "".join(f"channel {c}\nagc_freeze 0\nagc_mode {c % 3}\nagc_tc {100 * (c + 1)}\n"
                                    for c in range(4))})


def chip_cases(corpus):
    add = corpus.add
    for v in range(0, 16):
        base = [RECEIVE, TRANSMIT, TRANSCEIVE, RECEIVE_TRANSMIT][v % 4]
        add(f"sync_mode {v}", {"c.txt": base + f"sync_mode {v}\n"})
    add("sync_mode 16", {"c.txt": RECEIVE + "sync_mode 16\n"})
    for base_name in ["transmit", "transceive", "receive_transmit"]:
        base = BASES[base_name]
        for v in range(0, 9):
            add(f"{base_name}: tout_nsig {v}", {"c.txt": base + f"tout_nsig {v}\n"})
        for v in range(0, 5):
            add(f"{base_name}: tout_res {v}", {"c.txt": base + f"tout_res {v}\n"})
            add(f"{base_name}: tout_rate {v}", {"c.txt": base + f"tout_rate {v}\n"})
        add(f"{base_name}: real output", {"c.txt": base + "tout_cmplx 0\ntout_nsig 2\n"})
        add(f"{base_name}: sum input", {"c.txt": base + "tout_sumin 1\n"})
        add(f"{base_name}: half rate, high resolution",
            {"c.txt": base + "tout_rate 0\ntout_res 1\n"})
    add("transmit: four real outputs", {"c.txt": TRANSMIT + "tout_nsig 4\ntout_cmplx 0\n"})
    add("transmit: two real outputs, double rate", {"c.txt": TRANSMIT + "tout_nsig 2\ntout_cmplx 0\ntout_rate 2\n"})
    add("transmit: two complex outputs, sum input", {"c.txt": TRANSMIT + "tout_nsig 2\ntout_sumin 1\n"})
    add("transmit: complementary resolution, real output", {"c.txt": TRANSMIT + "tout_res 2\ntout_cmplx 0\n"})
    # receive input formats
    for cmplx in (0, 1):
        for rate in (0, 1, 2, 3):
            add(f"receive: rin_cmplx {cmplx} rin_rate {rate}",
                {"c.txt": RECEIVE + f"rin_cmplx {cmplx}\nrin_rate {rate}\n"})
    add("double rate without splitiq", {"c.txt": example_text("double_rate").replace("splitiq = 1\n", "")})
    add("double rate, odd cic_dec", {"c.txt": example_text("double_rate").replace("cic_dec = 10", "cic_dec = 9")})
    add("double rate, both pairs",
        {"c.txt": RECEIVE + "rin_rate 2\nsplitiq 1\n" + "".join(
            f"channel {c}\ncic_dec 10\n" for c in range(4))})
    add("double rate, complex input", {"c.txt": example_text("double_rate").replace("rin_rate = 2", "rin_rate = 2\nrin_cmplx = 1")})
    add("double rate, B frequency given",
        {"c.txt": example_text("double_rate").replace("channel 1\ncopy_channel 0\n",
                                                        "channel 1\ncopy_channel 0\nfreq 20\nphase 7\n")})
    add("double rate in transmit", {"c.txt": TRANSMIT + "rin_rate 2\nsplitiq 1\n"})
    # split I/Q
    add("splitiq receive", {"c.txt": RECEIVE + "splitiq 1\n"})
    add("splitiq receive, complex input", {"c.txt": RECEIVE + "splitiq 1\nrin_cmplx 1\n"})
    add("splitiq transmit, complex input words", {"c.txt": TRANSMIT + "splitiq 1\n"})
    add("splitiq transmit, real input words",
        {"c.txt": TRANSMIT + "splitiq 1\n" + "".join(f"channel {c}\ntinf_cmplx 0\n" for c in range(4))})
    add("splitiq transceive", {"c.txt": TRANSCEIVE + "splitiq 1\n"})
    add("splitiqAB only", {"c.txt": RECEIVE + "splitiqAB 1\n"})
    add("splitiqCD only", {"c.txt": TRANSMIT + "splitiqCD 1\n"})
    add("split transmit example with complex words",
        {"c.txt": example_text("split_transmit").replace("tinf_cmplx = 0", "tinf_cmplx = 1")})
    add("transceive example with sum input",
        {"c.txt": example_text("transceive").replace("tout_rate = 1", "tout_rate = 1\ntout_sumin = 1")})
    add("transceive example with two complex outputs",
        {"c.txt": example_text("transceive").replace("tout_nsig = 1", "tout_nsig = 2")})
    add("transceive, transmit channel selecting a receive input",
        {"c.txt": TRANSCEIVE + "channel 0\nmix_rcv_sel 2\n"})
    add("receive, tinf_cmplx set", {"c.txt": RECEIVE + "channel 0\ntinf_cmplx 1\n"})
    add("transmit, real input words", {"c.txt": TRANSMIT + "".join(f"channel {c}\ntinf_cmplx 0\n" for c in range(4))})
    add("transmit, one channel only",
        {"c.txt": TRANSMIT.split("channel 1\n")[0] + "pwr_dwn_fir_B 1\npwr_dwn_fir_C 1\npwr_dwn_fir_D 1\n"
                  "pwr_dwn_cic_CD 1\n"})
    add("receive, all channels on input A", {"c.txt": RECEIVE + "".join(f"channel {c}\nmix_rcv_sel 0\n" for c in range(4))})
    for v in ["0", "1", "2", "3", "4"]:
        add(f"receive, mix_rcv_sel {v} on channel 3", {"c.txt": RECEIVE + f"channel 3\nmix_rcv_sel {v}\n"})


NUMBER_FORMS = ["1.5", "-17.5", "+3", "1e2", "1E-1", "2.5e+1", ".5", "5.", "0x1A", "0X1f", "abc",
                "1e999", "nan", "-inf", "1.2.3", "12abc", "--5", "0", "-0", "1e-320", "1e308",
                "99999999999", "1,5", "e5", ".", "3.14159265358979323846264338327950288", "0100",
                "\xef\xbc\x91"]


def wide_cases(corpus):
    add = corpus.add
    # Each spelling once per wide variable, in the examples in turn.
    targets = [("fck", ""), ("freq", "channel 1\n"), ("gain", "channel 2\n"),
               ("overall_gain", "channel 3\n")]
    n = 0
    for name, prefix in targets:
        for form in NUMBER_FORMS:
            example = EXAMPLE_NAMES[n % len(EXAMPLE_NAMES)]
            n += 1
            text = insert_before_override(example_text(example), prefix + f"{name} = {form}\n")
            add(f"{example}: {name} = '{form}'", {"c.txt": text})
    # A handful in the other direction, and the gains in odd places.
    for form in ["-1", "0", "0.5", "1e1", "100", "-0.25", "1e-9"]:
        add(f"transmit overall_gain {form}", {"c.txt": TRANSMIT + f"channel 0\noverall_gain {form}\n"})
        add(f"receive gain {form}", {"c.txt": RECEIVE + f"channel 0\ngain {form}\n"})
    for form in ["-5", "0", "0.001", "20", "200", "1000", "1e4"]:
        add(f"transmit fck {form}", {"c.txt": TRANSMIT + f"fck {form}\n"})
    for form in ["-60", "-50", "49.999", "50", "50.001", "100", "150", "1e3"]:
        add(f"receive freq {form}", {"c.txt": RECEIVE + f"channel 0\nfreq {form}\n"})
        add(f"transmit freq {form}", {"c.txt": TRANSMIT + f"channel 3\nfreq {form}\n"})


INT_FORMS = ["0x1f", "0X1f", "0x", "0xg", "017", "-1", "+1", "1.5", "1e2", "99999999999999999999",
             "0xffffffffffffffffff", "abc", "12ab", "0x0", "-0", "65535", "65536", "0xffff",
             "0x10000", "+0x5", "--1"]


def integer_cases(corpus, rng):
    add = corpus.add
    for form in INT_FORMS:
        add(f"phase = '{form}'", {"c.txt": RECEIVE + f"channel 1\nphase = {form}\n"})
    for form in ["0x8", "0X8", "8.9", "+8", "010", "8e0"]:
        add(f"cic_dec = '{form}'", {"c.txt": RECEIVE + f"channel 0\ncic_dec = {form}\n"})
    # Every integer variable set once in range, in the examples in turn.
    for i, (scope, name, width) in enumerate(INTEGER_VARS):
        example = EXAMPLE_NAMES[i % len(EXAMPLE_NAMES)]
        top = (1 << width) - 1
        value = rng.weighted([(2, 0), (2, min(1, top)), (3, rng.randint(0, top)), (1, top)])
        value = str(value) if rng.chance(4, 5) else hex(value)
        where = "" if scope == "g" else f"channel {rng.randint(0, 3)}\n"
        text = insert_before_override(example_text(example), where + f"{name} = {value}\n")
        add(f"{example}: {name} = {value} (in range)", {"c.txt": text})
    bases = ["receive", "transmit", "transceive", "receive_transmit", "single"]
    # And out of range, a few per case.
    order = list(INTEGER_VARS)
    rng.shuffle(order)
    for k in range(0, len(order), 5):
        chunk = order[k:k + 5]
        extra = []
        for scope, name, width in chunk:
            v = rng.choice([str(1 << width), "-1", hex(1 << width), str((1 << width) + 7)])
            if scope != "g":
                extra.append(f"channel {rng.randint(0, 3)}")
            extra.append(f"{name} {v}")
        base = bases[k // 5 % len(bases)]
        add(f"{base}: out of range " + ", ".join(n for _, n, _ in chunk),
            {"c.txt": design(base, *extra)})


def byte_cases(corpus):
    add = corpus.add
    crlf = RECEIVE.replace("\n", "\r\n")
    add("CRLF line ends", {"c.txt": crlf})
    add("CRLF line ends in an include", {"c.txt": RECEIVE + "include s.inc\n",
                                         "s.inc": "channel 1\r\nfreq 3\r\n"})
    add("CRLF line ends, example", {"c.txt": example_text("transceive").replace("\n", "\r\n")})
    add("CR only line ends", {"c.txt": RECEIVE.replace("\n", "\r")})
    add("mixed line ends", {"c.txt": "".join(l + ("\r\n" if i % 2 else "\n")
                                             for i, l in enumerate(RECEIVE.splitlines()))})
    add("CR in the middle of a word", {"c.txt": RECEIVE + "channel 1\nfr\req 3\n"})
    add("CR before the value", {"c.txt": RECEIVE + "channel 1\nfreq\r3\n"})
    add("text ^M at line ends", {"c.txt": RECEIVE.replace("\n", "^M\n")})
    add("text ^M as a value", {"c.txt": RECEIVE + "channel 1\nfreq ^M\n"})
    add("non-ASCII in a comment", {"c.txt": "# caf\xe9 \xff\xfe\n" + RECEIVE})
    add("non-ASCII inside a word", {"c.txt": RECEIVE + "channel 1\nfr\xe9q 3\n"})
    add("non-ASCII after a value", {"c.txt": RECEIVE + "channel 1\nfreq 3\xb0\n"})
    add("UTF-8 text", {"c.txt": "# r\xc3\xa9glage \xe2\x80\x94 test\n" + RECEIVE + "channel 1\nfreq = 2\xc2\xa0\n"})
    add("UTF-8 byte order mark", {"c.txt": "\xef\xbb\xbf" + RECEIVE})
    add("NUL bytes", {"c.txt": RECEIVE.replace("fck = 100", "fck = 1\x0000") + "channel 1\n\x00freq 3\n"})
    add("NUL at the start", {"c.txt": "\x00" + RECEIVE})
    add("all control characters", {"c.txt": RECEIVE + "# " + "".join(chr(c) for c in range(32)) + "\n"})
    add("DEL and high bytes", {"c.txt": RECEIVE + "channel 2\n\x7ffreq 4\x80\n"})
    add("form feed and vertical tab", {"c.txt": RECEIVE + "channel 2\nfreq\x0c4\n\x0b\n"})
    add("no final newline", {"c.txt": RECEIVE.rstrip("\n")})
    add("very long comment line", {"c.txt": "# " + "x" * 100000 + "\n" + RECEIVE})
    add("very long value", {"c.txt": RECEIVE + "channel 1\nfreq " + "1" * 5000 + "\n"})
    add("very long decimal value", {"c.txt": RECEIVE + "channel 1\nfreq 1." + "5" * 20000 + "\n"})
    add("very long integer value", {"c.txt": RECEIVE + "channel 1\nphase " + "9" * 20000 + "\n"})
    add("very long unknown word", {"c.txt": RECEIVE + "z" * 50000 + "\n"})
    add("very long line of words", {"c.txt": RECEIVE + "channel 1 " + "freq 3 " * 10000 + "\n"})
    add("very long include name", {"c.txt": RECEIVE + "include " + "n" * 4000 + "\n"})
    add("very long coefficient name", {"c.txt": RECEIVE + "channel 1\nfir_coef " + "k" * 4000 + "\n"})
    add("very long help prefix", {"c.txt": RECEIVE + "help " + "a" * 10000 + "\n"})
    add("very long print option", {"c.txt": RECEIVE + "print " + "t" * 10000 + "\n"})
    add("many lines", {"c.txt": RECEIVE + "channel 1\n" + "freq 3\n# c\n\n" * 5000})
    add("many help lines", {"c.txt": RECEIVE + "help agc\n" * 200})
    add("many channel switches", {"c.txt": RECEIVE + "".join(f"channel {i % 4}\nphase {i}\n" for i in range(2000))})


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_corpus.py OUTDIR")
    out = pathlib.Path(sys.argv[1])
    if out.exists() and any(out.iterdir()):
        sys.exit(f"make_corpus.py: {out} is not empty")
    out.mkdir(parents=True, exist_ok=True)
    corpus = Corpus(out)
    rng = Rng(SEED)
    example_cases(corpus)
    command_cases(corpus)
    include_cases(corpus)
    control_file_cases(corpus)
    mandatory_cases(corpus)
    coefficient_cases(corpus)
    degenerate_cases(corpus)
    agc_cases(corpus)
    chip_cases(corpus)
    wide_cases(corpus)
    integer_cases(corpus, rng)
    byte_cases(corpus)
    gentle_cases(corpus, rng, 50)
    perturbed_cases(corpus, rng, 300)
    corpus.finish()
    print(f"{len(corpus.index)} cases in {out}")


if __name__ == "__main__":
    main()
