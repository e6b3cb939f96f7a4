// The comparisons of docs/verification.md: settle's stress increases under
// rectangles, circles and 2:1 spread areas set against independent values,
// as the largest error relative to the loading in each band of depth. The
// tool verify_stresses prints them; the verification test holds them to
// the tolerances its tables show.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace verification {

constexpr int kBandCount = 5;

// A band of depths z / B, from `low` (excluded) to `high` (included). B is
// the width of the area: a rectangle's shorter side, a circle's diameter. For
// a 2:1 spread area z is the depth below its reference level.
struct DepthBand {
  double low;
  double high;
};
constexpr std::array<DepthBand, kBandCount> kDepthBands = {
    {{0.0, 0.5}, {0.5, 1.0}, {1.0, 2.0}, {2.0, 5.0}, {5.0, 20.0}}};

// The largest |value - reference| / loading at the depths of each band;
// negative for a band with no depth compared.
using BandErrors = std::array<double, kBandCount>;

struct Comparison {
  std::string group;      // the table it belongs to
  std::string name;       // what is compared, where
  std::string reference;  // against what
  BandErrors largest{};
};

// Every comparison, group by group in the order of the tables: the program
// against the references ("rectangle", "circle", "spread"), the references
// against each other ("references"), the 2:1 approximation against
// Boussinesq ("2:1 against Boussinesq", no program), and the program far
// from the origin of coordinates and near the sides of a rectangle
// ("limits"). Only those of `group` when it is not empty.
std::vector<Comparison> stress_comparisons(std::string_view group = {});

}  // namespace verification
