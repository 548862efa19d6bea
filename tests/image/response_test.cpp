// The CIC and FIR magnitude response against values worked out by hand, and
// the two outputs built from it: the JSON document read back and compared
// with the table and header of the same run, the plot checked as XML.
#include "image/response.h"

#include <gtest/gtest.h>

#include <memory>
#include <nlohmann/json.hpp>
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

// True when every element of `svg` is closed in order.
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
  return open.empty() && svg.find("<svg") != std::string::npos;
}

TEST(Response, JsonAgreesWithTableAndHeaderAndPlotIsWellFormed) {
  testing::ScratchDir dir;
  for (const char* f : {"transceive.txt", "interp40.coef", "lowpass31.coef"}) {
    dir.write(f, testing::read_file(std::string(CMD7730_SOURCE_DIR) + "/examples/" + f));
  }
  ASSERT_EQ(testing::run_binary(dir.path(), {"transceive.txt"}).status, 0);
  const auto doc = nlohmann::json::parse(dir.read("transceive.json"));
  EXPECT_EQ(doc["status"], 0);
  EXPECT_EQ(doc["tool"]["version"], CMD7730_VERSION);
  // Table rows "ncic 9 9 7 7" and "sum_shift 4".
  EXPECT_EQ(doc["variables"]["ncic"], nlohmann::json({9, 9, 7, 7}));
  EXPECT_EQ(doc["variables"]["sum_shift"], 4);
  const auto& ncic = doc["variables"]["ncic"];
  EXPECT_NE(dir.read("transceive.tbl")
                .find(strf("%-20s %5d %5d %5d %5d\n", "ncic", ncic[0].get<int>(),
                           ncic[1].get<int>(), ncic[2].get<int>(), ncic[3].get<int>())),
            std::string::npos);
  const std::string header = dir.read("transceive.h");
  EXPECT_NE(header.find(strf("int nwrites = %zu;", doc["registers"].size())), std::string::npos);
  EXPECT_EQ(doc["registers"][0], nlohmann::json({{"page", -1}, {"addr", 0}, {"value", 0xfff0}}));
  ASSERT_EQ(doc["channels"].size(), 4u);
  EXPECT_EQ(doc["channels"][0]["stages"], 6);  // transmit, cic_xmt_5stg 0
  EXPECT_EQ(doc["channels"][2]["db"].size(), static_cast<size_t>(kResponsePoints));
  EXPECT_TRUE(balanced(dir.read("transceive.svg")));
}

}  // namespace
}  // namespace cmd7730
