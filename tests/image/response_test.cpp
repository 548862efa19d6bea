// The CIC and FIR magnitude response against values worked out by hand, and
// the two outputs built from it: the JSON document read back and compared
// with the table and header of the same run, the plot checked as XML.
#include "image/response.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <memory>
#include <nlohmann/json.hpp>
#include <numbers>
#include <regex>
#include <string>
#include <vector>

#include "core/messages.h"
#include "core/run_state.h"
#include "support/test_support.h"

namespace cmd7730 {
namespace {

// Channel k working with the CIC and FIR in the chain and taps `h`.
void working(ChannelSettings& c, bool transmit, double fs, int n, int fir_rate,
             std::vector<int> h) {
  c.powerdown = 0;
  c.xmt = transmit ? 1 : 0;
  c.fsample = fs;
  c.ncic = n - 1;
  c.bypass_cic = 0;
  c.bypass_fir = 0;
  (transmit ? c.fir_int : c.fir_dec) = fir_rate;
  c.ncoefs = static_cast<int>(h.size());
  for (size_t i = 0; i < h.size(); ++i) c.coefs[i] = h[i];
}

TEST(Response, ReceiveAndTransmitChainsMatchTheirValuesByHand) {
  auto st = std::make_unique<RunState>();
  // A: receive, fs 80, N 4, one tap (flat FIR): the CIC alone, 5 stages.
  working(st->ch[0], false, 80.0, 4, 2, {7});
  // B: transmit, fs 100, N 8, six stages, FIR 1 + z^-1 at fs/8.
  working(st->ch[1], true, 100.0, 8, 2, {1, 1});
  st->ch[1].cic_xmt_5stg = 0;
  st->ch[2].powerdown = 1;
  working(st->ch[3], false, 80.0, 4, 2, {0, 0, 0});

  const std::vector<ChannelResponse> r = compute_responses(*st);
  ASSERT_EQ(r.size(), 3u);  // C is powered down
  const ChannelResponse& a = r[0];
  EXPECT_EQ(a.stages, 5);
  EXPECT_DOUBLE_EQ(a.band_edge_mhz, 5.0);  // 80 / (2 x 4 x 2)
  EXPECT_DOUBLE_EQ(a.db[0], 0.0);
  // Band edge, grid point 5 / 80 x 1024 = 64: sin(pi/4) / (4 sin(pi/16)) =
  // 0.906127, 100 log10 of it = -4.2812 dB.  fs/8 (point 128): 1 / (4 sin(pi/8))
  // = 0.653281 -> -18.4900 dB.  fs/N (point 256) is a null.
  EXPECT_NEAR(a.db[64], -4.2812, 1e-3);
  EXPECT_NEAR(a.db[128], -18.4900, 1e-3);
  EXPECT_EQ(a.db[256], kResponseFloorDb);

  const ChannelResponse& b = r[1];
  EXPECT_EQ(b.stages, 6);
  EXPECT_DOUBLE_EQ(b.band_edge_mhz, 3.125);  // 100 / (2 x 8 x 2)
  EXPECT_DOUBLE_EQ(b.db[0], 0.0);            // both parts peak at DC
  // Point 32 (the band edge): CIC sin(pi/4) / (8 sin(pi/32)) = 0.901764, 120
  // log10 = -5.3888; FIR phase 2 pi 32 x 8 / 1024 = pi/2, |1 + e^-j pi/2| / 2
  // = 0.707107, -3.0103.  Point 64: the FIR's null; 128 (fs/N): the CIC's.
  EXPECT_NEAR(b.db[32], -5.3888 - 3.0103, 1e-3);
  EXPECT_EQ(b.db[64], kResponseFloorDb);
  EXPECT_EQ(b.db[128], kResponseFloorDb);

  EXPECT_FALSE(r[2].has_response());  // D: every tap zero
}

// The response as defined, summed tap by tap at every grid point: the FIR
// with one complex exponential per tap, the CIC from its sine ratio.
std::vector<double> direct_db(const ChannelSettings& c, int n, int s) {
  std::vector<double> mag(kResponsePoints);
  for (int i = 0; i < kResponsePoints; ++i) {
    std::complex<double> sum = 0.0;
    for (int m = 0; m < c.ncoefs; ++m) {
      sum += std::polar(static_cast<double>(c.coefs[m]),
                        -2.0 * std::numbers::pi * i * m * n / kResponseBins);
    }
    const double x = std::numbers::pi * i / kResponseBins;
    const double cic = i == 0 ? 1.0 : std::pow(std::abs(std::sin(x * n) / (n * std::sin(x))), s);
    mag[i] = std::abs(sum) * cic;
  }
  const double peak = *std::max_element(mag.begin(), mag.end());
  std::vector<double> db(kResponsePoints);
  for (int i = 0; i < kResponsePoints; ++i) db[i] = 20.0 * std::log10(mag[i] / peak);
  return db;
}

// Long filters whose taps wrap round the 1024-point grid several times
// (i*N beyond 1024), receive and transmit: every grid point above -150 dB
// within a hundredth of a dB of the tap-by-tap sum.
TEST(Response, LongFiltersMatchTheTapByTapSumOverTheWholeGrid) {
  auto st = std::make_unique<RunState>();
  uint32_t seed = 12345;
  const auto taps = [&seed](int count) {
    std::vector<int> h(static_cast<size_t>(count));
    for (int m = 0; m < count; ++m) {
      seed = seed * 1103515245u + 12345u;
      const double centre = m - (count - 1) / 2.0;
      const double sinc = centre == 0 ? 1.0 : std::sin(0.2 * centre) / (0.2 * centre);
      h[static_cast<size_t>(m)] =
          static_cast<int>(30000 * sinc) + static_cast<int>(seed >> 24) - 128;
    }
    return h;
  };
  working(st->ch[0], false, 61.44, 5, 4, taps(300));
  working(st->ch[1], true, 100.0, 3, 2, taps(511));
  st->ch[1].cic_xmt_5stg = 0;
  st->ch[2].powerdown = 1;
  st->ch[3].powerdown = 1;
  const std::vector<ChannelResponse> r = compute_responses(*st);
  ASSERT_EQ(r.size(), 2u);
  for (const auto& [k, s] : {std::pair{0, 5}, std::pair{1, 6}}) {
    const std::vector<double> want = direct_db(st->ch[k], st->ch[k].ncic + 1, s);
    int compared = 0;
    for (int i = 0; i < kResponsePoints; ++i) {
      if (want[i] <= -150.0) continue;
      ++compared;
      EXPECT_NEAR(r[k].db[i], want[i], 0.01) << "channel " << k << " point " << i;
    }
    EXPECT_GT(compared, 400) << "channel " << k;
  }
}

// True when every element of `svg` is closed in order and every ampersand
// starts an entity.
bool balanced(const std::string& svg) {
  std::vector<std::string> open;
  const std::regex tag(R"(<(/?)([A-Za-z]+)[^>]*?(/?)>)");
  for (std::sregex_iterator i(svg.begin(), svg.end(), tag), end; i != end; ++i) {
    const std::string name = (*i)[2];
    if ((*i)[1] == "/") {
      if (open.empty() || open.back() != name) return false;
      open.pop_back();
    } else if ((*i)[3] != "/") {
      open.push_back(name);
    }
  }
  // Outside markup an ampersand only starts an entity.
  const std::regex bare_ampersand("&(?!(amp|lt|gt|quot|apos);)");
  return open.empty() && svg.find("<svg") != std::string::npos &&
         !std::regex_search(svg, bare_ampersand);
}

// The table line of a variable from its JSON value: "%-20s %5d %5d %5d %5d"
// or "%-20s %d" for integers, " %f" per value for wide ones, unset as -1.
std::string table_line(const std::string& name, const nlohmann::ordered_json& value) {
  const auto one = [](const nlohmann::ordered_json& v, bool four) {
    if (v.is_number_float()) return strf(" %f", v.get<double>());
    const int i = v.is_null() ? -1 : v.get<int>();
    return four ? strf(" %5d", i) : strf(" %d", i);
  };
  std::string line = strf("%-20s", name.c_str());
  if (!value.is_array()) return line + one(value, false) + "\n";
  // A wide variable that is unset everywhere prints as -1.000000.
  const bool wide =
      std::any_of(value.begin(), value.end(), [](const auto& v) { return v.is_number_float(); });
  for (const auto& v : value) line += wide && v.is_null() ? " -1.000000" : one(v, true);
  return line + "\n";
}

TEST(Response, JsonAgreesWithTableAndHeaderAndPlotIsWellFormed) {
  testing::ScratchDir dir;
  for (const char* f : {"transceive.txt", "interp40.coef", "lowpass31.coef"}) {
    dir.write(f, testing::read_file(std::string(CMD7730_SOURCE_DIR) + "/examples/" + f));
  }
  // An ampersand in the name reaches the plot's title; the non-ASCII byte
  // draws a Warning before the print lines are read.
  dir.write("trans&ceive.txt",
            "# settle in 5 \xb5s\n" + dir.read("transceive.txt") + "print table\n");
  ASSERT_EQ(testing::run_binary(dir.path(), {"trans&ceive.txt"}).status, 0);
  const auto doc = nlohmann::ordered_json::parse(dir.read("trans&ceive.json"));
  EXPECT_EQ(doc["status"], 0);
  ASSERT_EQ(doc["messages"].size(), 1u);
  EXPECT_EQ(doc["messages"][0]["kind"], "Warning");
  EXPECT_EQ(
      doc["messages"][0]["text"].get<std::string>().rfind("Non ascii character on line 1;", 0), 0u);
  EXPECT_EQ(doc["tool"]["version"], CMD7730_VERSION);

  // The variables, in document order, print as the table does.
  std::string table;
  for (const auto& [name, value] : doc["variables"].items()) table += table_line(name, value);
  EXPECT_EQ(table, dir.read("trans&ceive.tbl"));

  // The register writes, in order, are the header's rows.
  std::string rows;
  for (const auto& w : doc["registers"]) {
    rows += strf("%s    { 0x%x, 0x%x, 0x%x }", rows.empty() ? "" : ",\n", w["page"].get<int>(),
                 w["addr"].get<int>(), w["value"].get<int>());
  }
  const std::string header = dir.read("trans&ceive.h");
  EXPECT_NE(header.find("regs[] = {\n" + rows + "\n};\n"), std::string::npos);

  ASSERT_EQ(doc["channels"].size(), 4u);
  EXPECT_EQ(doc["channels"][0]["stages"], 6);  // transmit, cic_xmt_5stg 0
  EXPECT_EQ(doc["channels"][2]["db"].size(), static_cast<size_t>(kResponsePoints));
  EXPECT_TRUE(balanced(dir.read("trans&ceive.svg")));
}

}  // namespace
}  // namespace cmd7730
