// Round steps and the colours of the settlement bands.
#include "plot/colour_scale.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace plot {
namespace {

struct Rgb {
  double r, g, b;
};

// Sequential ramps that stay distinct when printed in grey and never reach a
// colour too dark for a black label with a white halo.
constexpr std::array<Rgb, 5> kSettlementRamp = {
    {{255, 255, 204}, {254, 217, 118}, {253, 141, 60}, {227, 26, 28}, {128, 0, 38}}};
constexpr std::array<Rgb, 4> kHeaveRamp = {
    {{222, 235, 247}, {158, 202, 225}, {66, 146, 198}, {8, 69, 148}}};

template <std::size_t N>
Rgb along(const std::array<Rgb, N>& ramp, double t) {
  const double at = std::clamp(t, 0.0, 1.0) * static_cast<double>(N - 1);
  const std::size_t i = std::min(static_cast<std::size_t>(at), N - 2);
  const double f = at - static_cast<double>(i);
  const Rgb& a = ramp[i];
  const Rgb& b = ramp[i + 1];
  return {a.r + (b.r - a.r) * f, a.g + (b.g - a.g) * f, a.b + (b.b - a.b) * f};
}

std::string hex(const Rgb& colour) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", static_cast<int>(std::lround(colour.r)),
                static_cast<int>(std::lround(colour.g)), static_cast<int>(std::lround(colour.b)));
  return buffer;
}

// Bands `step` wide from the multiple of `step` at or below `low`, as many as
// reach `high` (at least one).
ColourScale scale_of_step(double low, double high, double step) {
  ColourScale scale;
  scale.step = step;
  scale.low = std::floor(low / step + 1e-9) * step;
  scale.band_count = std::max(1, static_cast<int>(std::ceil((high - scale.low) / step - 1e-9)));
  return scale;
}

}  // namespace

double round_step(double span, int count) {
  const double raw = span / count;
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  for (const double factor : {1.0, 2.0, 2.5, 5.0}) {
    if (raw <= factor * power * (1.0 + 1e-9)) return factor * power;
  }
  return 10.0 * power;
}

int decimals_for(double step) {
  for (int d = 0; d < 4; ++d) {
    const double scaled = step * std::pow(10.0, d);
    if (std::fabs(scaled - std::round(scaled)) < 1e-6 * std::max(1.0, scaled)) return d;
  }
  return 4;
}

std::vector<double> ticks(double low, double high, double step) {
  std::vector<double> values;
  const double tolerance = step * 1e-6;
  for (double k = std::ceil((low - tolerance) / step); k * step <= high + tolerance; k += 1.0) {
    values.push_back(k * step == 0.0 ? 0.0 : k * step);
  }
  return values;
}

ColourScale make_colour_scale(double smallest, double largest) {
  const double low = std::min(smallest, 0.0);
  const double high = std::max(largest, 0.0);
  return scale_of_step(low, high, high > low ? round_step(high - low, 8) : 1.0);
}

ColourScale make_contour_scale(double smallest, double largest) {
  // A value past every number (an infinite settlement) has no place on a scale.
  const double low = std::isfinite(smallest) ? std::min(smallest, 0.0) : 0.0;
  const double high = std::isfinite(largest) ? std::max(largest, 0.0) : 0.0;
  if (!(high > low)) return make_colour_scale(low, high);
  // Every round step from a hundredth to a hundred times the span over 10:
  // the one whose count of levels is nearest 10 as a ratio (7 beats 15, 14
  // beats 7), the larger step on a tie.
  ColourScale best;
  double best_miss = 1e300;
  const double decade = std::pow(10.0, std::floor(std::log10((high - low) / 10.0)));
  for (double power = decade / 10.0; power <= decade * 10.0 * (1.0 + 1e-9); power *= 10.0) {
    for (const double factor : {1.0, 2.0, 2.5, 5.0}) {
      const ColourScale scale = scale_of_step(low, high, factor * power);
      const int levels = std::max(scale.band_count - 1, 1);
      const double miss = std::fabs(std::log(levels / 10.0));
      if (miss <= best_miss + 1e-12) {
        best = scale;
        best_miss = miss;
      }
    }
  }
  return best;
}

ColourScale interval_scale(double smallest, double largest, double step) {
  const double low = std::isfinite(smallest) ? std::min(smallest, 0.0) : 0.0;
  const double high = std::isfinite(largest) ? std::max(largest, 0.0) : 0.0;
  return scale_of_step(low, high, step);
}

ColourScale levels_scale(double smallest, double largest, const std::vector<double>& levels) {
  ColourScale scale;
  const double first = levels.front(), last = levels.back();
  // The end bands reach the values, or a band as wide as the nearest one.
  const double width = levels.size() > 1 ? levels[1] - levels[0] : std::max(std::fabs(first), 1.0);
  const double end_width =
      levels.size() > 1 ? levels[levels.size() - 1] - levels[levels.size() - 2] : width;
  const double low = std::isfinite(smallest) ? std::min(smallest, 0.0) : 0.0;
  const double high = std::isfinite(largest) ? largest : 0.0;
  scale.limits.push_back(std::min(low, first - width));
  scale.limits.insert(scale.limits.end(), levels.begin(), levels.end());
  scale.limits.push_back(std::max(high, last + end_width));
  scale.band_count = static_cast<int>(scale.limits.size()) - 1;
  scale.low = scale.limits.front();
  scale.step = HUGE_VAL;
  for (std::size_t k = 1; k < scale.limits.size(); ++k)
    scale.step = std::min(scale.step, scale.limits[k] - scale.limits[k - 1]);
  return scale;
}

int scale_decimals(const ColourScale& scale) {
  if (scale.limits.empty()) return decimals_for(scale.step);
  int decimals = 0;
  for (int k = 1; k < scale.band_count; ++k)
    decimals = std::max(decimals, decimals_for(std::fabs(scale.limit(k))));
  return decimals;
}

std::vector<double> contour_levels(const ColourScale& scale) {
  std::vector<double> levels;
  for (int k = 1; k < scale.band_count; ++k) {
    const double level = scale.limit(k);
    // A level of 0 is written 0, never -0.
    levels.push_back(std::fabs(level) < scale.step * 1e-9 ? 0.0 : level);
  }
  return levels;
}

int band_of(const ColourScale& scale, double value) {
  if (std::isnan(value)) return scale.band_count - 1;
  if (!scale.limits.empty()) {
    int band = 0;
    while (band + 1 < scale.band_count && value >= scale.limit(band + 1)) ++band;
    return band;
  }
  const double at = std::floor((value - scale.low) / scale.step);
  return static_cast<int>(std::clamp(at, 0.0, static_cast<double>(scale.band_count - 1)));
}

std::string band_colour(const ColourScale& scale, int band) {
  if (!scale.limits.empty()) {
    // Heave bands (below 0) count down from 0, settlement bands up from it.
    int heave = 0;
    while (heave < scale.band_count && scale.limit(heave + 1) <= 0.0) ++heave;
    if (band < heave) {
      const double t = heave > 1 ? static_cast<double>(heave - 1 - band) / (heave - 1) : 0.0;
      return hex(along(kHeaveRamp, 0.15 + 0.85 * t));
    }
    const int settling = scale.band_count - heave;
    const double t = settling > 1 ? static_cast<double>(band - heave) / (settling - 1) : 0.0;
    return hex(along(kSettlementRamp, t));
  }
  const double middle = scale.low + scale.step * (band + 0.5);
  if (middle < 0.0) {
    const int heave_bands = static_cast<int>(std::lround(-scale.low / scale.step));
    const double t =
        heave_bands > 1 ? -(middle + scale.step * 0.5) / (scale.step * (heave_bands - 1)) : 0.0;
    return hex(along(kHeaveRamp, 0.15 + 0.85 * t));
  }
  const int settlement_bands =
      scale.band_count - static_cast<int>(std::lround(-scale.low / scale.step));
  const double first = std::max(scale.low, 0.0);
  const double t = settlement_bands > 1
                       ? (middle - scale.step * 0.5 - first) / (scale.step * (settlement_bands - 1))
                       : 0.0;
  return hex(along(kSettlementRamp, t));
}

}  // namespace plot
