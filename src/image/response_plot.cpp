// The response plot: one SVG document with a panel per working channel, its
// CIC and FIR magnitude response from 0 to half its sample rate, the band
// edge of its output (receive) or input (transmit) and, shaded, the bands
// that fold onto that band (alias bands for a receiver, images for a
// transmitter).  Self-contained: no scripts, fonts or other files.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>
#include <string_view>

#include "core/messages.h"
#include "core/run_state.h"
#include "image/output_writers.h"
#include "image/response.h"

namespace cmd7730 {
namespace {

constexpr double kWidth = 760, kLeft = 70, kRight = 730;  // plot area x
constexpr double kTop = 40, kBottom = 290;                // plot area y in a panel
constexpr double kPanelHeight = 340, kShortPanel = 70;
constexpr double kDbTop = 5, kDbBottom = -140;
constexpr int kMaxShadedBands = 256;

const char* const kStyle =
    "<style>text{font-family:sans-serif;font-size:12px}.t{font-size:14px;font-weight:bold}"
    ".g{stroke:#ddd;stroke-width:1}.r{fill:none;stroke:#1f5fbf;stroke-width:1.5}"
    ".e{stroke:#c02020;stroke-width:1.5;stroke-dasharray:6 3}.a{fill:#f4c430;fill-opacity:.25}"
    ".b{fill:#f4c430;fill-opacity:.45}.f{fill:none;stroke:#333}</style>\n";

std::string escaped(const std::string& s) {
  std::string out;
  for (char c : s) {
    if (c == '&')
      out += "&amp;";
    else if (c == '<')
      out += "&lt;";
    else if (c == '>')
      out += "&gt;";
    else if (c == '"')
      out += "&quot;";
    else
      out += c;
  }
  return out;
}

// Writes `v` with two decimals at `out` and returns the end.  Two decimals
// of a pixel are plenty, and whole hundredths printed as an integer cost a
// fraction of a general double conversion: 513 points are drawn per panel.
char* put_hundredths(char* out, double v) {
  long long c = std::llround(v * 100.0);
  if (c < 0) {
    *out++ = '-';
    c = -c;
  }
  out = std::to_chars(out, out + 24, c / 100).ptr;
  *out++ = '.';
  *out++ = static_cast<char>('0' + c / 10 % 10);
  *out++ = static_cast<char>('0' + c % 10);
  return out;
}

// A tick step of 1, 2 or 5 times a power of ten giving about five ticks.
double tick_step(double span) {
  const double raw = span / 5.0;
  const double p = std::pow(10.0, std::floor(std::log10(raw)));
  const double m = raw / p;
  return (m < 1.5 ? 1 : m < 3.5 ? 2 : m < 7.5 ? 5 : 10) * p;
}

std::string title(const ChannelResponse& r) {
  std::string t = strf("Channel %c, %s", 'A' + r.channel, r.transmit ? "transmit" : "receive");
  if (!r.has_response() && r.band_edge_mhz == 0.0) return t;
  const char op = r.transmit ? 'x' : '/';
  return t + strf(": fs %g MHz, CIC %c%d (%d stages), FIR %c%d, %s %g MHz", r.fs_mhz, op,
                  r.rate_change, r.stages, op, r.fir_rate, r.transmit ? "input" : "output",
                  r.outer_rate_mhz());
}

class Panel {
 public:
  Panel(std::string& svg, const ChannelResponse& r, double y0) : svg_(svg), r_(r), y0_(y0) {}

  double x(double mhz) const { return kLeft + (kRight - kLeft) * mhz / (r_.fs_mhz / 2.0); }
  double y(double db) const {
    const double d = std::max(kDbBottom, std::min(kDbTop, db));
    return y0_ + kTop + (kBottom - kTop) * (kDbTop - d) / (kDbTop - kDbBottom);
  }

  void draw() {
    svg_ += strf("<text class=\"t\" x=\"%g\" y=\"%g\">%s</text>\n", kLeft, y0_ + 22,
                 escaped(title(r_)).c_str());
    shade();
    grid();
    svg_ += "<polyline class=\"r\" points=\"";
    const double step = r_.fs_mhz / kResponseBins;
    char point[64];
    for (int i = 0; i < kResponsePoints; ++i) {
      char* end = point;
      if (i != 0) *end++ = ' ';
      end = put_hundredths(end, x(i * step));
      *end++ = ',';
      end = put_hundredths(end, y(r_.db[i]));
      svg_.append(point, static_cast<size_t>(end - point));
    }
    svg_ += "\"/>\n";
    const double e = x(std::min(r_.band_edge_mhz, r_.fs_mhz / 2.0));
    svg_ += strf("<line class=\"e\" x1=\"%.2f\" y1=\"%g\" x2=\"%.2f\" y2=\"%g\"/>\n", e, y0_ + kTop,
                 e, y0_ + kBottom);
    svg_ += strf("<text x=\"%.2f\" y=\"%g\" fill=\"#c02020\">band edge %g MHz</text>\n", e + 4,
                 y0_ + kTop + 14, r_.band_edge_mhz);
  }

 private:
  // Band k (k >= 1) is k*rate +- rate/2: it folds onto 0..rate/2.  Shades
  // alternate so that neighbouring bands stay apart.
  void shade() {
    const double rate = r_.outer_rate_mhz();
    const double half = r_.fs_mhz / 2.0;
    const double top = y0_ + kTop, h = kBottom - kTop;
    if (half / rate > kMaxShadedBands) {  // too narrow to draw one by one
      band('a', x(rate / 2), x(half), top, h);
      return;
    }
    for (int k = 1; k * rate - rate / 2 < half; ++k) {
      const double lo = k * rate - rate / 2, hi = std::min(half, k * rate + rate / 2);
      band(k % 2 != 0 ? 'b' : 'a', x(lo), x(hi), top, h);
    }
  }

  // One shaded band from x0 to x1: up to 256 of them in a panel, so they
  // are printed without the general formatter.
  void band(char cls, double x0, double x1, double top, double height) {
    char text[160];
    char* end = text;
    const auto put = [&end](std::string_view s) { end = std::copy(s.begin(), s.end(), end); };
    put("<rect class=\"");
    *end++ = cls;
    put("\" x=\"");
    end = put_hundredths(end, x0);
    put("\" y=\"");
    end = put_hundredths(end, top);
    put("\" width=\"");
    end = put_hundredths(end, x1 - x0);
    put("\" height=\"");
    end = put_hundredths(end, height);
    put("\"/>\n");
    svg_.append(text, static_cast<size_t>(end - text));
  }

  void grid() {
    for (double db = kDbBottom; db <= 0; db += 20) {
      svg_ += strf("<line class=\"g\" x1=\"%g\" y1=\"%.2f\" x2=\"%g\" y2=\"%.2f\"/>", kLeft, y(db),
                   kRight, y(db));
      svg_ += strf("<text x=\"%g\" y=\"%.2f\" text-anchor=\"end\">%g</text>\n", kLeft - 6,
                   y(db) + 4, db);
    }
    const double half = r_.fs_mhz / 2.0, step = tick_step(half);
    for (int i = 0; i * step <= half * (1 + 1e-9); ++i) {
      const double f = i * step;
      svg_ += strf("<line class=\"g\" x1=\"%.2f\" y1=\"%g\" x2=\"%.2f\" y2=\"%g\"/>", x(f),
                   y0_ + kTop, x(f), y0_ + kBottom);
      svg_ += strf("<text x=\"%.2f\" y=\"%g\" text-anchor=\"middle\">%g</text>\n", x(f),
                   y0_ + kBottom + 16, f);
    }
    svg_ += strf("<rect class=\"f\" x=\"%g\" y=\"%g\" width=\"%g\" height=\"%g\"/>\n", kLeft,
                 y0_ + kTop, kRight - kLeft, kBottom - kTop);
    svg_ += strf("<text x=\"%g\" y=\"%g\" text-anchor=\"middle\">MHz</text>", (kLeft + kRight) / 2,
                 y0_ + kBottom + 34);
    svg_ += strf(
        "<text x=\"18\" y=\"%g\" transform=\"rotate(-90 18 %g)\" "
        "text-anchor=\"middle\">dB</text>\n",
        y0_ + (kTop + kBottom) / 2, y0_ + (kTop + kBottom) / 2);
  }

  std::string& svg_;
  const ChannelResponse& r_;
  double y0_;
};

}  // namespace

void write_response_plot(RunState& st, const std::vector<ChannelResponse>& responses) {
  if (!st.output_open(kResponse)) return;
  double height = 0;
  for (const ChannelResponse& r : responses)
    height += r.has_response() ? kPanelHeight : kShortPanel;
  if (responses.empty()) height = kShortPanel;
  std::string svg = strf(
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%g\" height=\"%g\" "
      "viewBox=\"0 0 %g %g\">\n<title>%s: CIC and FIR response</title>\n",
      kWidth, height, kWidth, height, escaped(st.control_file).c_str());
  svg += kStyle;
  svg += "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
  double y0 = 0;
  for (const ChannelResponse& r : responses) {
    if (r.has_response()) {
      Panel(svg, r, y0).draw();
      y0 += kPanelHeight;
    } else {
      svg += strf("<text class=\"t\" x=\"%g\" y=\"%g\">%s</text>\n", kLeft, y0 + 22,
                  escaped(title(r)).c_str());
      svg += strf("<text x=\"%g\" y=\"%g\">Nothing to draw: %s.</text>\n", kLeft, y0 + 44,
                  escaped(r.missing).c_str());
      y0 += kShortPanel;
    }
  }
  if (responses.empty()) {
    svg += strf("<text x=\"%g\" y=\"30\">Every channel is powered down.</text>\n", kLeft);
  }
  svg += "</svg>\n";
  st.out[kResponse].write(svg);
}

}  // namespace cmd7730
