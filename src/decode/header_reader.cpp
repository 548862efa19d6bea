// The C header: the comment the run puts first, the declaration of regs[],
// one row "{ 0xPAGE, 0xADDRESS, 0xVALUE }" per write (page 0xffffffff for a
// global register), the closing "};" and "int nwrites = N;".  A loader walks
// the table by nwrites, so a count that disagrees with the rows, or a file
// that stops before the count (a run stopped early, a copy cut short), is
// refused rather than decoded as far as it goes.
#include <string_view>

#include "core/messages.h"
#include "decode/line_scan.h"
#include "decode/readers.h"

namespace cmd7730 {
namespace {

// The declaration, one line each, blanks around them not counted.
constexpr std::string_view kDeclaration[] = {"struct {", "short page;", "short addr;", "short val;",
                                             "} regs[] = {"};
constexpr int kDeclarationLines = 5;
constexpr uint32_t kGlobalPage = 0xffffffffu;  // page -1 as the 32-bit "%x" prints it

std::string_view trimmed(std::string_view line) {
  line.remove_prefix(leading_blanks(line));
  while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
  return line;
}

bool is_comment(std::string_view line) { return line.starts_with("/*") && line.ends_with("*/"); }

// "0x" and hexadecimal digits into `v`.
bool prefixed_hex(Scan& s, uint32_t& v) { return (s.take("0x") || s.take("0X")) && s.hex(v); }

// Reads "{ 0xPAGE, 0xADDRESS, 0xVALUE }" and an optional ",", blanks
// anywhere between.  Returns false when the line is not a row.
bool row(Scan& s, uint32_t& page, uint32_t& address, uint32_t& value, bool& comma) {
  s.blanks();
  if (!s.take("{")) return false;
  s.blanks();
  if (!prefixed_hex(s, page)) return false;
  s.blanks();
  if (!s.take(",")) return false;
  s.blanks();
  if (!prefixed_hex(s, address)) return false;
  s.blanks();
  if (!s.take(",")) return false;
  s.blanks();
  if (!prefixed_hex(s, value)) return false;
  s.blanks();
  if (!s.take("}")) return false;
  s.blanks();
  comma = s.take(",");
  return s.at_end();
}

// Reads "int nwrites = N;" into `count`.
bool count_line(Scan& s, uint32_t& count) {
  s.blanks();
  if (!s.take("int") || !s.blanks() || !s.take("nwrites")) return false;
  s.blanks();
  if (!s.take("=")) return false;
  s.blanks();
  if (!s.dec(count)) return false;
  s.blanks();
  return s.take(";") && s.at_end();
}

}  // namespace

void read_header(std::string_view text, ImageBuilder& out) {
  enum { kInDeclaration, kInRows, kBeforeCount, kDone } state = kInDeclaration;
  int declared = 0;       // lines of the declaration read
  uint32_t rows = 0;      // rows of regs[] read
  bool separated = true;  // the row before ended with ','
  Lines lines(text);
  for (std::string_view line; lines.next(line);) {
    const int n = lines.number();
    const std::string_view t = trimmed(line);
    if (t.empty()) continue;
    switch (state) {
      case kInDeclaration:
        if (declared == 0 && is_comment(t)) break;
        if (t != kDeclaration[declared]) {
          throw Refusal{n, strf("expected \"%.*s\" of the regs[] declaration",
                                static_cast<int>(kDeclaration[declared].size()),
                                kDeclaration[declared].data())};
        }
        if (++declared == kDeclarationLines) state = kInRows;
        break;
      case kInRows: {
        if (t == "};") {
          state = kBeforeCount;
          break;
        }
        Scan s(t, n);
        uint32_t page = 0, address = 0, value = 0;
        bool comma = false;
        if (!row(s, page, address, value, comma)) {
          throw Refusal{n, "not a row of regs[]: expected { 0xPAGE, 0xADDRESS, 0xVALUE }"};
        }
        if (!separated) throw Refusal{n, "the row before this one does not end with ','"};
        separated = comma;
        out.write(page == kGlobalPage ? -1 : int64_t{page}, address, value, n);
        ++rows;
        break;
      }
      case kBeforeCount: {
        Scan s(t, n);
        uint32_t count = 0;
        if (!count_line(s, count)) throw Refusal{n, "expected \"int nwrites = N;\" after regs[]"};
        if (count != rows) {
          throw Refusal{n, strf("nwrites is %u, but regs[] has %u rows", count, rows)};
        }
        state = kDone;
        break;
      }
      case kDone:
        throw Refusal{n, "text after \"int nwrites = N;\""};
    }
  }
  const int last = lines.number() == 0 ? 1 : lines.number();
  if (state == kInDeclaration) throw Refusal{last, "the file ends inside the regs[] declaration"};
  if (state == kInRows) throw Refusal{last, "the file ends before \"};\" closes regs[]"};
  if (state == kBeforeCount) throw Refusal{last, "the file ends before \"int nwrites = N;\""};
}

}  // namespace cmd7730
