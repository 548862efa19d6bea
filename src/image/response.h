// The magnitude response of each working channel's CIC and FIR chain, on a
// grid of 513 frequencies from 0 to half the channel's sample rate, in dB
// below its peak.  The response plot and the JSON document both draw on it.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace cmd7730 {

struct RunState;

inline constexpr int kResponseBins = 1024;                     // grid step fs / 1024
inline constexpr int kResponsePoints = kResponseBins / 2 + 1;  // 0 .. fs/2
inline constexpr double kResponseFloorDb = -200.0;             // at or below 1e-10 of the peak

struct ChannelResponse {
  int channel = 0;  // 0..3 for A..D
  bool transmit = false;
  double fs_mhz = 0.0;         // the rate into (receive) or out of (transmit) the CIC
  int rate_change = 1;         // N, the CIC's
  int stages = 5;              // S
  int fir_rate = 1;            // the FIR's decimation or interpolation
  double band_edge_mhz = 0.0;  // half the output (receive) or input (transmit) rate
  // Empty when there is a response; else why there is none to draw.
  std::string missing;
  std::array<double, kResponsePoints> db{};

  bool has_response() const { return missing.empty(); }
  // The rate at the FIR's far side: fs / (N * FIR rate).
  double outer_rate_mhz() const { return 2.0 * band_edge_mhz; }
};

// Returns the response of every channel that is not powered down, in
// channel order.  Reads the settings as the computations left them.
std::vector<ChannelResponse> compute_responses(const RunState& st);

// The CIC's magnitude at grid point i (frequency i * fs / 1024) for rate
// change n and s stages: |sin(pi i n / 1024) / (n sin(pi i / 1024))|^s.
double cic_magnitude(int i, int n, int s);

}  // namespace cmd7730
