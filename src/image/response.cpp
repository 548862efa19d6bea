#include "image/response.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>

#include "core/messages.h"
#include "core/run_state.h"

namespace cmd7730 {
namespace {

using Bins = std::array<std::complex<double>, kResponseBins>;

// In-place radix-2 transform X[k] = sum x[m] exp(-j 2 pi k m / 1024).
void transform(Bins& x) {
  for (int i = 1, j = 0; i < kResponseBins; ++i) {
    int bit = kResponseBins >> 1;
    for (; (j & bit) != 0; bit >>= 1) j ^= bit;
    j ^= bit;
    if (i < j) std::swap(x[i], x[j]);
  }
  for (int len = 2; len <= kResponseBins; len <<= 1) {
    const double angle = -2.0 * std::numbers::pi / len;
    for (int k = 0; k < len / 2; ++k) {
      const std::complex<double> w(std::cos(angle * k), std::sin(angle * k));
      for (int start = 0; start < kResponseBins; start += len) {
        const std::complex<double> a = x[start + k];
        const std::complex<double> b = x[start + k + len / 2] * w;
        x[start + k] = a + b;
        x[start + k + len / 2] = a - b;
      }
    }
  }
}

// |sum h[i] exp(-j 2 pi f i N / fs)| at every grid point: with f = k fs/1024
// the phase of tap i is that of bin (i N mod 1024), so folding the taps onto
// 1024 bins and one transform give all 513 values exactly.
void fir_magnitudes(const ChannelSettings& c, int n, std::array<double, kResponsePoints>& mag) {
  Bins x{};
  for (int i = 0; i < c.ncoefs; ++i) {
    x[static_cast<size_t>((static_cast<int64_t>(i) * n) % kResponseBins)] += c.coefs[i];
  }
  transform(x);
  for (int k = 0; k < kResponsePoints; ++k) mag[k] = std::abs(x[k]);
}

// Why channel `c` has no usable response, or "".
std::string unusable(const ChannelSettings& c, int fir_rate) {
  if (!std::isfinite(c.fsample) || c.fsample <= 0.0) {
    return strf("no usable sample rate (%g MHz)", c.fsample);
  }
  if (c.ncic < 0) return strf("no usable CIC rate change (ncic %d)", c.ncic);
  if (fir_rate < 1) return strf("no usable FIR rate (%d)", fir_rate);
  if (c.bypass_fir == 0 && (c.ncoefs < 0 || c.ncoefs > kMaxCoefs)) {
    return strf("no usable coefficient count (ncoefs %d)", c.ncoefs);
  }
  return {};
}

ChannelResponse respond(const ChannelSettings& c, int channel) {
  ChannelResponse r;
  r.channel = channel;
  r.transmit = c.xmt == 1;
  r.fs_mhz = c.fsample;
  r.fir_rate = r.transmit ? c.fir_int : c.fir_dec;
  r.stages = r.transmit && c.cic_xmt_5stg != 1 ? 6 : 5;
  r.missing = unusable(c, r.fir_rate);
  if (!r.has_response()) return r;
  r.rate_change = c.ncic + 1;
  r.band_edge_mhz = c.fsample / (2.0 * r.rate_change * r.fir_rate);

  std::array<double, kResponsePoints> mag;
  if (c.bypass_fir != 0) {
    mag.fill(1.0);
  } else {
    fir_magnitudes(c, r.rate_change, mag);
  }
  if (c.bypass_cic == 0 && r.rate_change != 1) {
    for (int i = 0; i < kResponsePoints; ++i) mag[i] *= cic_magnitude(i, r.rate_change, r.stages);
  }
  double peak = 0.0;
  for (double m : mag) peak = std::max(peak, m);
  if (!(peak > 0.0) || !std::isfinite(peak)) {
    r.missing = "no response: every coefficient is zero";
    return r;
  }
  for (int i = 0; i < kResponsePoints; ++i) {
    r.db[i] = mag[i] <= 1e-10 * peak ? kResponseFloorDb : 20.0 * std::log10(mag[i] / peak);
  }
  return r;
}

}  // namespace

double cic_magnitude(int i, int n, int s) {
  if (i == 0) return 1.0;
  const double x = std::numbers::pi * i / kResponseBins;
  return std::pow(std::abs(std::sin(x * n) / (n * std::sin(x))), s);
}

std::vector<ChannelResponse> compute_responses(const RunState& st) {
  std::vector<ChannelResponse> out;
  for (int k = 0; k < 4; ++k) {
    if (st.ch[k].powerdown == 0) out.push_back(respond(st.ch[k], k));
  }
  return out;
}

}  // namespace cmd7730
