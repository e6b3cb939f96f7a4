// The one settlement colour scale of the page: equal bands of a round step,
// reds for settlement and blues for heave, and round steps for chart axes.
#pragma once

#include <string>
#include <vector>

namespace plot {

// A round step (1, 2, 2.5 or 5 times a power of ten) near `span` / `count`.
// REQUIRES: span > 0, count > 0.
double round_step(double span, int count);

// The multiples of `step` from `low` to `high` (both included, with a small
// tolerance). REQUIRES: step > 0.
std::vector<double> ticks(double low, double high, double step);

// The fewest decimals (0 to 4) that show every multiple of `step` exactly.
int decimals_for(double step);

// Equal bands of `step` from `low`; or, where `limits` is given (band_count +
// 1 values, increasing), bands between those limits, `step` then their
// narrowest width.
struct ColourScale {
  double low = 0.0;   // a multiple of step, at most 0
  double step = 1.0;  // band width
  int band_count = 1;
  std::vector<double> limits;  // empty for equal bands
  double limit(int k) const {
    return limits.empty() ? low + step * k : limits[static_cast<std::size_t>(k)];
  }
  double high() const { return limit(band_count); }
};

// The scale that covers `smallest`..`largest` and 0 with about 8 bands.
ColourScale make_colour_scale(double smallest, double largest);

// The scale of the settlement map: it covers `smallest`..`largest` and 0 with
// a round step that puts about 10 (8 to 12 wherever a round step can) contour
// levels between its ends. An end that is not finite is taken as 0.
ColourScale make_contour_scale(double smallest, double largest);

// The scale of equal bands `step` wide that covers `smallest`..`largest` and
// 0 (--interval). REQUIRES: step > 0.
ColourScale interval_scale(double smallest, double largest, double step);

// The scale whose inner limits are `levels` (--levels), with an end band
// below the first and above the last that reach `smallest` and `largest`.
// REQUIRES: levels increasing, at least one.
ColourScale levels_scale(double smallest, double largest, const std::vector<double>& levels);

// The decimals that show every limit of `scale` exactly (0 to 4).
int scale_decimals(const ColourScale& scale);

// The limits between the bands of `scale`, ascending: its contour levels.
std::vector<double> contour_levels(const ColourScale& scale);

// The band (0..band_count-1) holding `value`; values outside go to the end
// bands, a value that is not a number to the last.
int band_of(const ColourScale& scale, double value);

// The fill colour "#rrggbb" of `band`: light to dark red above 0, blue below.
std::string band_colour(const ColourScale& scale, int band);

}  // namespace plot
