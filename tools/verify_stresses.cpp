// Prints the tables of docs/verification.md: settle's stress increases
// against Boussinesq's solution integrated with Boost.Math, the closed forms
// and the 2:1 formula, as the largest error relative to the loading in each
// band of depth.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "verification/stress_comparisons.h"

namespace {

// Two significant digits: as a decimal from 0.001 up (0.28, 0.0013), below
// it with an exponent without padding (1.2e-5).
std::string figure(double value) {
  if (value < 0.0) return "-";
  if (value == 0.0) return "0";
  char text[32];
  if (value >= 0.001) {
    const int decimals = std::max(1, 1 - static_cast<int>(std::floor(std::log10(value))));
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
  }
  std::snprintf(text, sizeof text, "%.1e", value);
  std::string s = text;
  const std::size_t e = s.find('e');
  std::string exponent = s.substr(e + 1);
  const bool negative = exponent[0] == '-';
  exponent = exponent.substr(1);
  while (exponent.size() > 1 && exponent[0] == '0') exponent.erase(0, 1);
  return s.substr(0, e) + (negative ? "e-" : "e") + exponent;
}

std::string band_name(const verification::DepthBand& band) {
  char text[32];
  std::snprintf(text, sizeof text, "%g–%g", band.low, band.high);
  return text;
}

}  // namespace

int main() {
  const std::vector<verification::Comparison> comparisons = verification::stress_comparisons();
  std::string group;
  for (const verification::Comparison& c : comparisons) {
    if (c.group != group) {
      group = c.group;
      std::printf("\n#### %s\n\n| compared | against |", group.c_str());
      for (const auto& band : verification::kDepthBands) {
        std::printf(" z/B %s |", band_name(band).c_str());
      }
      std::printf("\n|---|---|");
      for (std::size_t i = 0; i < verification::kDepthBands.size(); ++i) std::printf("---:|");
      std::printf("\n");
    }
    std::printf("| %s | %s |", c.name.c_str(), c.reference.c_str());
    for (double value : c.largest) std::printf(" %s |", figure(value).c_str());
    std::printf("\n");
  }
  return 0;
}
