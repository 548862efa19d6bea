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
// exp(-j 2 pi k / 1024) for k = 0 .. 511: every twiddle factor of the
// transform, worked out once for all channels.
using Twiddles = std::array<std::complex<double>, kResponseBins / 2>;

Twiddles make_twiddles() {
  Twiddles w;
  for (int k = 0; k < kResponseBins / 2; ++k)
    w[k] = std::polar(1.0, -2.0 * std::numbers::pi * k / kResponseBins);
  return w;
}

// In-place radix-2 transform X[k] = sum x[m] exp(-j 2 pi k m / 1024).
void transform(Bins& x, const Twiddles& w) {
  for (int i = 1, j = 0; i < kResponseBins; ++i) {
    int bit = kResponseBins >> 1;
    for (; (j & bit) != 0; bit >>= 1) j ^= bit;
    j ^= bit;
    if (i < j) std::swap(x[i], x[j]);
  }
  for (int len = 2; len <= kResponseBins; len <<= 1) {
    const int stride = kResponseBins / len;
    for (int k = 0; k < len / 2; ++k) {
      const std::complex<double> t = w[k * stride];
      for (int start = 0; start < kResponseBins; start += len) {
        const std::complex<double> a = x[start + k];
        const std::complex<double> b = x[start + k + len / 2] * t;
        x[start + k] = a + b;
        x[start + k + len / 2] = a - b;
      }
    }
  }
}

// |sum h[i] exp(-j 2 pi f i N / fs)| at every grid point: with f = k fs/1024
// the phase of tap i is that of bin (i N mod 1024), so folding the taps onto
// 1024 bins and one transform give all 513 values exactly.
void fir_magnitudes(const ChannelSettings& c, int n, const Twiddles& w,
                    std::array<double, kResponsePoints>& mag) {
  Bins x{};
  for (int i = 0; i < c.ncoefs; ++i) {
    x[static_cast<size_t>((static_cast<int64_t>(i) * n) % kResponseBins)] += c.coefs[i];
  }
  transform(x, w);
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

ChannelResponse respond(const ChannelSettings& c, int channel, const Twiddles& w) {
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
    fir_magnitudes(c, r.rate_change, w, mag);
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
  const double stage = std::abs(std::sin(x * n) / (n * std::sin(x)));
  double out = 1.0;  // s is 5 or 6: multiplying beats the general power
  for (int k = 0; k < s; ++k) out *= stage;
  return out;
}

std::vector<ChannelResponse> compute_responses(const RunState& st) {
  std::vector<ChannelResponse> out;
  const Twiddles w = make_twiddles();
  for (int k = 0; k < 4; ++k) {
    if (st.ch[k].powerdown == 0) out.push_back(respond(st.ch[k], k, w));
  }
  return out;
}

}  // namespace cmd7730
