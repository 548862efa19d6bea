// Whole runs of the built compiler on input nobody should write: broken
// includes, odd bytes and line ends, commands without their words, values
// that are not numbers or do not fit, bad coefficient files and settings the
// computation would divide by or take the logarithm of.  Whatever the input,
// a run must end normally with a documented status (0, 1, or 255 for -1),
// say why on standard error when it is not 0, and leave behind nothing but
// its inputs, the temporary command file and the outputs that `print` lines
// selected.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/test_support.h"

namespace cmd7730 {
namespace {

using testing::read_file;
using testing::run_binary;
using testing::RunResult;
using testing::ScratchDir;

// Clean four-channel receive and transmit configurations (status 0 as they
// stand); each case appends its own lines.
constexpr const char* kReceive =
    "mode ab r\nmode cd r\nfck = 100\nprint analysis\n"
    "channel 0\nfir_coef rx.coef\nfreq 10\ncic_dec 8\nfir_dec 2\npins 16\nbits 16\n"
    "overall_gain 1\nmix_rcv_sel 0\n"
    "channel 1\ncopy_channel 0\nfir_coef rx.coef\n"
    "channel 2\ncopy_channel 0\nfir_coef rx.coef\n"
    "channel 3\ncopy_channel 0\nfir_coef rx.coef\n";
constexpr const char* kTransmit =
    "mode ab t\nmode cd t\nfck = 100\ntout_nsig 1\ntout_cmplx 1\ntout_rate 1\nprint analysis\n"
    "channel 0\nfir_coef tx.coef\nfreq 10\ncic_int 8\nfir_int 2\ntinf_cmplx 1\npins 16\nbits 16\n"
    "channel 1\ncopy_channel 0\nfir_coef tx.coef\n"
    "channel 2\ncopy_channel 0\nfir_coef tx.coef\n"
    "channel 3\ncopy_channel 0\nfir_coef tx.coef\n";

struct Case {
  const char* name;
  std::string control;  // the control file c.txt
  int status;           // as the shell sees it
  const char* err;      // must appear on standard error (when status != 0)
};

// Extensions of the outputs that the `print` lines of `control` select.
std::set<std::string> selected_outputs(const std::string& control) {
  static const std::map<char, std::string> kExt = {{'a', "anl"}, {'z', "zq220"}, {'s', "sim"},
                                                   {'t', "tbl"}, {'d', "dbg"},   {'h', "h"}};
  std::set<std::string> names;
  std::istringstream lines(control);
  for (std::string line; std::getline(lines, line);) {
    std::istringstream words(line);
    std::string keyword, option;
    if (!(words >> keyword >> option) || keyword != "print") continue;
    const auto ext = kExt.find(static_cast<char>(std::tolower(option[0])));
    if (ext != kExt.end()) names.insert("c." + ext->second);
  }
  return names;
}

using Files = std::map<std::string, std::string>;

// Runs `c` in a fresh directory holding the example coefficient files (as
// rx.coef and tx.coef) and `extra` files (a name ending in "/" makes an
// empty directory), and checks what every run owes the user.
void expect_clean_run(const Case& c, const Files& extra = {}) {
  SCOPED_TRACE(c.name);
  ScratchDir dir;
  dir.write("rx.coef", read_file(CMD7730_SOURCE_DIR "/examples/lowpass31.coef"));
  dir.write("tx.coef", read_file(CMD7730_SOURCE_DIR "/examples/interp40.coef"));
  for (const auto& [name, content] : extra) {
    if (name.ends_with("/")) {
      std::filesystem::create_directory(dir.file(name));
    } else {
      dir.write(name, content);
    }
  }
  dir.write("c.txt", c.control);
  const std::vector<std::string> before = dir.list();

  const RunResult r = run_binary(dir.path(), {"c.txt"});
  EXPECT_FALSE(r.signaled) << r.err.substr(0, 2000);
  EXPECT_EQ(r.status, c.status) << r.err.substr(0, 2000);
  if (c.status != 0) {
    EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err.substr(0, 2000);
  }
  EXPECT_EQ(r.out, "");

  std::set<std::string> allowed(before.begin(), before.end());
  allowed.insert("cmd7730TmpCmdFile");
  std::string commands = c.control;  // every file the run may read commands from
  for (const auto& [name, content] : extra) commands += "\n" + content;
  const std::set<std::string> outputs = selected_outputs(commands);
  allowed.insert(outputs.begin(), outputs.end());
  for (const std::string& name : dir.list()) EXPECT_TRUE(allowed.count(name)) << name;
  EXPECT_TRUE(dir.exists("cmd7730TmpCmdFile"));
  if (c.status == 0) {
    for (const std::string& name : outputs) EXPECT_TRUE(dir.exists(name)) << name;
  }
}

std::string repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

// `lines` appended to the receive configuration, under channel 0.
std::string receive_with(const std::string& lines) {
  return std::string(kReceive) + "channel 0\n" + lines;
}
std::string transmit_with(const std::string& lines) {
  return std::string(kTransmit) + "channel 0\n" + lines;
}

TEST(BadInput, TheCleanConfigurationsPass) {
  expect_clean_run({"receive", kReceive, 0, ""});
  expect_clean_run({"transmit", kTransmit, 0, ""});
}

TEST(BadInput, IncludesAndUnreadableFiles) {
  const std::string r = kReceive;
  Files files = {{"a.txt", "include b.txt\n"}, {"b.txt", "include a.txt\n"}, {"sub/", ""}};
  // d0 .. d62 lead to the full configuration: with c.txt that is 64 files
  // open at the deepest point, the most allowed.  e0 .. e69 go beyond it.
  for (int i = 0; i < 62; ++i) files["d" + std::to_string(i)] = "include d" + std::to_string(i + 1);
  files["d62"] = r;
  for (int i = 0; i < 70; ++i) files["e" + std::to_string(i)] = "include e" + std::to_string(i + 1);

  const Case cases[] = {
      {"includes itself", "include c.txt\n" + r, 1, "Error: Include cycle: c.txt includes itself"},
      {"includes itself by its base name", r + "include c\n", 1, "Include cycle: c includes"},
      {"cycle through another file", "include a.txt\n", 1, "Include cycle: a.txt includes itself"},
      {"include without a name", "include\n" + r, 1, "include on line 1 of c.txt needs a file"},
      {"missing include", r + "include nothere.txt\n", 1,
       "Error: Couldn't open command file nothere.txt"},
      {"include of a directory", "include sub\n" + r, 1, "Couldn't open command file sub"},
      {"deep but allowed chain", "include d0\n", 0, ""},
      {"too deep a chain", "include e0\n", 1, "Error: Includes nested deeper than 64 files"},
      {"empty control file", "", 1, "Error: sync_mode unknown"},
      {"coefficient file missing", r + "fir_coef nothere.coef\n", 1,
       "Couldn't open coefficient file: nothere.coef"},
      {"coefficient file is a directory", r + "fir_coef sub\n", 1,
       "Couldn't open coefficient file: sub"},
  };
  for (const Case& c : cases) expect_clean_run(c, files);

  // The control file itself a directory, or missing.
  ScratchDir dir;
  std::filesystem::create_directory(dir.file("c.txt"));
  RunResult res = run_binary(dir.path(), {"c.txt"});
  EXPECT_EQ(res.status, 1);
  EXPECT_FALSE(res.signaled);
  EXPECT_EQ(res.err, "Error: Couldn't open command file c.txt\n");
  res = run_binary(dir.path(), {"nothere"});
  EXPECT_EQ(res.status, 1);
  EXPECT_EQ(res.err, "Error: Couldn't open command file nothere\n");
  EXPECT_EQ(dir.list(), (std::vector<std::string>{"c.txt", "cmd7730TmpCmdFile"}));

  // The temporary command file cannot be created.
  ScratchDir blocked;
  blocked.write("c.txt", kReceive);
  std::filesystem::create_directory(blocked.file("cmd7730TmpCmdFile"));
  res = run_binary(blocked.path(), {"c.txt"});
  EXPECT_EQ(res.status, 1);
  EXPECT_FALSE(res.signaled);
  EXPECT_EQ(res.err, "Error: Could not open temporary command file for writing\n");
  EXPECT_EQ(blocked.list(), (std::vector<std::string>{"c.txt", "cmd7730TmpCmdFile"}));

  // An output on a full disk: the run must not end as a success.
  if (std::filesystem::exists("/dev/full")) {
    ScratchDir full;
    full.write("rx.coef", read_file(CMD7730_SOURCE_DIR "/examples/lowpass31.coef"));
    full.write("c.txt", std::string(kReceive) + "print table\n");
    std::filesystem::create_symlink("/dev/full", full.file("c.tbl"));
    res = run_binary(full.path(), {"c.txt"});
    EXPECT_EQ(res.status, 1);
    EXPECT_FALSE(res.signaled);
    EXPECT_TRUE(res.err.ends_with("Error: Couldn't write c.tbl\n")) << res.err;
  }
}

TEST(BadInput, LongLinesOddBytesAndLineEnds) {
  const std::string r = kReceive;
  const std::string crlf = [&] {
    std::string s;
    for (char ch : r) s += ch == '\n' ? std::string("\r\n") : std::string(1, ch);
    return s;
  }();
  std::string cr_only = r;
  std::replace(cr_only.begin(), cr_only.end(), '\n', '\r');
  const Case cases[] = {
      // Lines far beyond any buffer: a comment passes, a command is quoted.
      {"long comment", "# " + repeat("x", 300000) + "\n" + r, 0, ""},
      {"long command", r + repeat("y", 300000) + "\n", 1,
       "Error: Unrecognized command on line 23: yyyyyyyy"},
      {"long number", r + "channel 0\nfreq " + repeat("9", 5000) + "\n", 1,
       "Error: Bad number on line 24: 9999"},
      {"long integer", r + "channel 0\nphase " + repeat("9", 5000) + "\n", 1,
       "Error: phase has only 16 bits"},
      // Bytes outside printable ASCII are dropped with a warning.
      {"NUL and high bytes", std::string("mode ab r\0\xe9\n", 12) + "mode cd\xff r\n" + r, 0, ""},
      {"only NUL bytes", std::string("\0\0\0\n\0", 5), 1, "Error: sync_mode unknown"},
      {"CRLF line ends", crlf, 0, ""},
      // A lone carriage return ends no line: the whole file is one line.
      {"CR-only line ends", cr_only, 1, "Warning: Non ascii character on line 1"},
      {"^M cuts the line", "mode ab r^Mmode cd r\n" + r, 0, ""},
  };
  for (const Case& c : cases) expect_clean_run(c);
}

TEST(BadInput, CommandsWithoutTheirWords) {
  const std::string r = kReceive;
  const Case cases[] = {
      {"channel", r + "channel\n", 1, "Error: channel on line 23 needs a channel number 0..3"},
      {"copy_channel", r + "copy_channel\n", 1, "copy_channel on line 23 needs a channel number"},
      {"fir_coef", r + "fir_coef\n", 1, "fir_coef on line 23 needs a coefficient file name"},
      {"help", r + "help\n", 1, "help on line 23 needs a variable name prefix"},
      {"mode", "mode\n" + r, 1, "mode on line 1 needs a pair (ab or cd) and a direction"},
      {"mode pair", "mode ab\n" + r, 1, "mode on line 1 needs a direction (r or t) after the pair"},
      {"mode unknown pair", "mode x r\n" + r, 1, "Unrecognized command on line 1: mode"},
      {"mode unknown direction", "mode ab q\n" + r, 1, "Unrecognized command on line 1: mode"},
      {"print", r + "print\n", 1, "print on line 23 needs an output"},
      {"print unknown", r + "print x\n", 1, "Error: Unrecognized print command x"},
      {"variable", r + "channel 0\nfck\n", 1, "Error: fck Usage: Chip clock rate in MHz."},
      {"variable after override", r + "override\nchannel 1\ncic_dec\n", 1,
       "Error: cic_dec Usage: CIC decimate"},
      {"command after override", r + "override\nchannel\n", 1,
       "channel on line 1 needs a channel number"},
  };
  for (const Case& c : cases) expect_clean_run(c);
}

TEST(BadInput, NumbersThatAreNotNumbersOrDoNotFit) {
  const Case cases[] = {
      {"word for a wide value", receive_with("fck abc\n"), 1, "Error: Bad number on line 24: abc"},
      {"word for an integer", receive_with("cic_dec ten\n"), 1, "Bad number on line 24: ten"},
      {"bare hex prefix", receive_with("cic_dec 0x\n"), 1, "Bad number on line 24: 0x"},
      {"infinite", receive_with("freq 1e999\n"), 1, "Bad number on line 24: 1e999"},
      {"not a number", receive_with("fck nan\n"), 1, "Bad number on line 24: nan"},
      {"huge integer", receive_with("cic_dec 99999999999999999999999\n"), 1,
       "Error: cic_dec has only 12 bits"},
      {"huge hex", receive_with("gain_lsb 0xffffffffffffffffffff\n"), 1,
       "Error: gain_lsb has only 16 bits"},
      {"negative integer", receive_with("gain_lsb -1\n"), 1, "gain_lsb has only 16 bits"},
      {"31-bit limit", receive_with("maxtap 2147483648\n"), 1, "maxtap has only 31 bits"},
      {"huge frequency", receive_with("freq 1e300\n"), 0, ""},
      {"huge chip clock", receive_with("fck 1e300\n"), 0, ""},
      {"tiny chip clock", receive_with("fck 1e-300\n"), 1, "Error: chip clock rate of 0.00000"},
      {"huge gain", receive_with("overall_gain 1e300\n"), 0, ""},
      {"channel 4", receive_with("channel 4\n"), 1, "channel must be between 0 and 3"},
      {"channel -1", receive_with("channel -1\n"), 1, "channel must be between 0 and 3"},
      {"huge channel", receive_with("channel 99999999999999999999\n"), 1,
       "channel must be between 0 and 3"},
      {"channel word", receive_with("channel b\n"), 1, "Bad number on line 24: b"},
      {"copy_channel 7", receive_with("copy_channel 7\n"), 1,
       "copy_channel must be between 0 and 3"},
  };
  for (const Case& c : cases) expect_clean_run(c);
}

TEST(BadInput, HugeValuesReachTheTableWhole) {
  ScratchDir dir;
  dir.write("rx.coef", read_file(CMD7730_SOURCE_DIR "/examples/lowpass31.coef"));
  dir.write("c.txt", receive_with("fck 1e300\nprint table\n"));
  const RunResult r = run_binary(dir.path(), {"c.txt"});
  EXPECT_FALSE(r.signaled);
  EXPECT_EQ(r.status, 0) << r.err;
  // 301 digits and six decimals: far longer than any ordinary row.
  char value[400];
  std::snprintf(value, sizeof value, "%lf", 1e300);
  EXPECT_NE(dir.read("c.tbl").find("\nfck                  " + std::string(value) + "\n"),
            std::string::npos);
}

TEST(BadInput, CoefficientFiles) {
  const std::string use_f = std::string(kReceive) + "channel 0\nfir_coef f.coef\n";
  struct CoefCase {
    const char* name;
    std::string coefs;
    int status;
    const char* err;
  };
  const CoefCase cases[] = {
      {"no values", "", 255, "Error: Invalid Filter name 4 (1-w) Input Rate!"},
      {"only comments", "# nothing here\n;\n", 255, "Invalid Filter name 4"},
      {"binary junk", std::string("\0\x01\xff\n\x7f", 5), 255, "Invalid Filter name 4"},
      {"all zero", repeat("0\n", 31), 0, ""},
      {"a single zero", "0\n", 0, ""},
      {"beyond 32 bits", "5\n99999999999999999999\n5\n", 1,
       "Coefficient on line 2 does not fit in 32 bits in file: f.coef"},
      {"beyond 16 bits", "1\n2147483647\n-2147483648\n2147483647\n1\n", 1, "Coefs exceeds 16 bits"},
      {"too many", repeat("1\n", 513), 1, "Too many coefficients in file: f.coef"},
      {"512 large ones", repeat("30000\n", 512), 1, "Error: Untried filter configuration"},
  };
  for (const CoefCase& c : cases) {
    expect_clean_run({c.name, use_f, c.status, c.err}, {{"f.coef", c.coefs}});
  }
}

// Settings the computation divides by or takes the logarithm of.
TEST(BadInput, DegenerateSettings) {
  const Case cases[] = {
      {"receive pins 0", receive_with("pins 0\n"), 1, "Error: Pins must be 4,8, or 16"},
      {"receive bits 0", receive_with("bits 0\n"), 1, "Error: Bits must be 4,8,12,16, or 20"},
      {"fir_dec 0", receive_with("fir_dec 0\n"), 255,
       "Error: Invalid Filter name 6 (1-g) decimation!"},
      {"receive fir_nchan 0", receive_with("fir_nchan 0\n"), 255,
       "Error: Invalid Filter name 3 Number of channels!"},
      {"cic_dec 0", receive_with("cic_dec 0\n"), 1,
       "Error: CIC decimation amount must be at least 1"},
      {"receive fck 0", receive_with("fck 0\n"), 1,
       "Error: fck must be greater than 0 to compute freq_msb"},
      {"receive fck negative", receive_with("fck -100\n"), 1,
       "Error: chip clock rate of -100.00000 lower than minimum"},
      {"receive overall_gain 0", receive_with("overall_gain 0\n"), 0, ""},
      {"agc_tc 0, AGC off", receive_with("agc_tc 0\n"), 0, ""},
      {"agc_tc 0, AGC on", receive_with("agc_freeze 0\nagc_tc 0\n"), 0, ""},
      {"transmit pins 0", transmit_with("pins 0\n"), 1, "Error: Pins must be 4,8, or 16"},
      {"transmit bits 0", transmit_with("bits 0\n"), 1, "Error: Bits must be 4,8,12,16, or 20"},
      {"fir_int 0", transmit_with("fir_int 0\n"), 255,
       "Error: Invalid Filter name 7 (1-g) interpolation!"},
      {"transmit fir_nchan 0", transmit_with("fir_nchan 0\n"), 255,
       "Invalid Filter name 3 Number of channels!"},
      {"cic_int 0", transmit_with("cic_int 0\n"), 255, "Invalid Filter name 4 (1-w) Input Rate!"},
      {"transmit fck 0", transmit_with("fck 0\n"), 1,
       "Error: chip clock rate of 0.00000 lower than minimum of 1.30000!"},
      {"transmit fck negative", transmit_with("fck -3\n"), 1, "Error: chip clock rate of -3.00000"},
      {"transmit overall_gain 0", transmit_with("overall_gain 0\n"), 1,
       "Error: settings violate gain constraint"},
      {"tout_nsig 0", transmit_with("tout_nsig 0\n"), 1, "Error: tout_nsig must be 1, 2 or 4"},
      {"tout_rate 3", transmit_with("tout_rate 3\n"), 1,
       "Error: More than 4 output paths required to support your configuration"},
      {"tout_res 3", transmit_with("tout_res 3\n"), 1, "Error: toutf missed a case"},
      // No gain words to take the AGC limits from: the lower limit comes out
      // negative and cannot be packed.
      {"AGC on with a zero gain word", receive_with("agc_freeze 0\ngain_lsb 0\n"), 1,
       "Value out of range register 325 value -2"},
  };
  for (const Case& c : cases) expect_clean_run(c);

  // All-zero coefficients in transmit: nothing to scale the gain from.
  expect_clean_run({"transmit all-zero coefficients",
                    std::string(kTransmit) + "channel 0\nfir_coef z.coef\n", 0, ""},
                   {{"z.coef", repeat("0\n", 40)}});
}

}  // namespace
}  // namespace cmd7730
