// The verification's comparisons, case by case. Every area is 10 feet wide
// (B); the program's stress depths run from 0.25 to 200 feet (20 B) in
// steps of 0.25 foot. The loading is 1 ksf, so a stress is its ratio.
#include "verification/stress_comparisons.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>
#include <utility>

#include "verification/boussinesq_reference.h"
#include "verification/program_stress.h"

namespace verification {
namespace {

constexpr double kWidth = 10.0;     // B: a rectangle's shorter side, a circle's diameter
constexpr double kLength = 20.0;    // a rectangle's longer side
constexpr double kDeepest = 200.0;  // 20 B

// A position relative to an area, along its own axes u (the X side) and v.
struct Probe {
  double u;
  double v;
};

// Where an area lies: its centre and the slope of its X side.
struct Frame {
  PlanPoint centre;
  double slope;
};

PlanPoint to_plan(const Frame& frame, Probe probe) {
  const double root = std::sqrt(1.0 + frame.slope * frame.slope);
  const double c = 1.0 / root;
  const double t = frame.slope / root;
  return {frame.centre.x + probe.u * c - probe.v * t, frame.centre.y + probe.u * t + probe.v * c};
}

// The points as the problem file would give them: single precision.
std::vector<PointInput> program_points(const Frame& frame, std::span<const Probe> probes) {
  std::vector<PointInput> points;
  for (const Probe& probe : probes) {
    const PlanPoint p = to_plan(frame, probe);
    points.push_back({static_cast<float>(p.x), static_cast<float>(p.y)});
  }
  return points;
}

BandErrors no_errors() {
  BandErrors errors;
  errors.fill(-1.0);
  return errors;
}

void note(BandErrors& errors, double z_over_width, double error) {
  for (std::size_t i = 0; i < kDepthBands.size(); ++i) {
    if (z_over_width > kDepthBands[i].low && z_over_width <= kDepthBands[i].high) {
      errors[i] = std::max(errors[i], error);
    }
  }
}

// A reference ratio at every depth of the program's run below every probe;
// none where there is nothing to compare (at the ground surface).
struct ReferenceTable {
  std::vector<std::vector<std::optional<double>>> ratio;  // [probe][depth]
};

// The depths at which the references are checked against each other: every
// stress depth down to 2 B, where the stresses change fastest, and every
// eighth (2 ft apart) below. The integrals over the area cost about a
// thousand times a closed form.
bool checked_depth(double z) { return z <= 2.0 * kWidth || std::fmod(z, 2.0) == 0.0; }

// The table of `reference(j, z)` for probe j at every depth z below the
// surface, or at the checked depths only.
enum class Depths { kAll, kChecked };

template <typename Reference>
ReferenceTable reference_table(const ProgramStresses& program, std::size_t probe_count,
                               Depths depths, const Reference& reference) {
  ReferenceTable table;
  table.ratio.resize(probe_count);
  for (std::size_t j = 0; j < probe_count; ++j) {
    for (const double z : program.depths) {
      const bool wanted = z > 0.0 && (depths == Depths::kAll || checked_depth(z));
      table.ratio[j].push_back(wanted ? std::optional<double>(reference(j, z)) : std::nullopt);
    }
  }
  return table;
}

// Largest |a - b| by band where both tables hold a value.
BandErrors table_errors(const ProgramStresses& program, double level, const ReferenceTable& a,
                        const ReferenceTable& b) {
  BandErrors errors = no_errors();
  for (std::size_t j = 0; j < a.ratio.size(); ++j) {
    for (std::size_t k = 0; k < program.depths.size(); ++k) {
      if (!a.ratio[j][k] || !b.ratio[j][k]) continue;
      note(errors, (program.depths[k] - level) / kWidth, std::abs(*a.ratio[j][k] - *b.ratio[j][k]));
    }
  }
  return errors;
}

// Largest |program - reference| by band; the loading is 1, so the program's
// stress is its ratio.
BandErrors program_errors(const ProgramStresses& program, double level,
                          const ReferenceTable& reference) {
  BandErrors errors = no_errors();
  for (std::size_t j = 0; j < reference.ratio.size(); ++j) {
    for (std::size_t k = 0; k < program.depths.size(); ++k) {
      if (!reference.ratio[j][k]) continue;
      note(errors, (program.depths[k] - level) / kWidth,
           std::abs(program.stress[j][k] - *reference.ratio[j][k]));
    }
  }
  return errors;
}

// The program's stresses under a 10 by 20 rectangle at `frame`, at the
// probes, and the closed form's at the same points and depths.
struct RectangleStresses {
  ProgramStresses program;
  ReferenceTable closed;
};

RectangleStresses rectangle_stresses(const Frame& frame, const std::vector<Probe>& probes) {
  const AreaInput area{AreaKind::kRectangle,
                       static_cast<float>(frame.centre.x),
                       static_cast<float>(frame.centre.y),
                       static_cast<float>(kWidth),
                       static_cast<float>(kLength),
                       static_cast<float>(frame.slope)};
  const ProgramStresses program = program_stresses(area, program_points(frame, probes), kDeepest);
  const ReferenceTable closed =
      reference_table(program, probes.size(), Depths::kAll, [&](std::size_t j, double z) {
        return rectangle_closed_form(kWidth / 2.0, kLength / 2.0, probes[j].u, probes[j].v, z);
      });
  return {program, closed};
}

class Comparisons {
 public:
  // Only the comparisons of `group` are made, or all when it is empty.
  explicit Comparisons(std::string_view group) : group_(group) {}

  // A 10 by 20 rectangle at `frame` against the closed form, and the closed
  // form against the integral of the point load over the rectangle.
  void rectangle(const std::string& name, const Frame& frame, std::vector<Probe> probes) {
    if (!wanted("rectangle") && !wanted("references")) return;
    const auto [program, closed] = rectangle_stresses(frame, probes);
    add("rectangle", name, "closed form", program_errors(program, 0.0, closed));
    if (!wanted("references")) return;
    const RectangleCorners corners = rectangle_corners(frame.centre, kWidth, kLength, frame.slope);
    const ReferenceTable integral =
        reference_table(program, probes.size(), Depths::kChecked, [&](std::size_t j, double z) {
          return polygon_stress_ratio(corners.corner, to_plan(frame, probes[j]), z);
        });
    add("references", "rectangle, " + name, "closed form against the integral",
        table_errors(program, 0.0, closed, integral));
  }

  // A circle 10 across, centred at `centre`, with points at the distances `r`
  // in the direction (0.6, 0.8): on the axis against the closed form, off it
  // against the point load integrated along rays; and the point load
  // integrated over the disk against both.
  void circle(const std::string& name, PlanPoint centre, std::vector<double> distances) {
    if (!wanted("circle") && !wanted("references")) return;
    const AreaInput area{AreaKind::kCircle, static_cast<float>(centre.x),
                         static_cast<float>(centre.y), static_cast<float>(kWidth)};
    const double radius = kWidth / 2.0;
    std::vector<Probe> probes;
    for (double r : distances) probes.push_back({0.6 * r, 0.8 * r});
    const ProgramStresses program =
        program_stresses(area, program_points({centre, 0.0}, probes), kDeepest);
    const bool on_axis =
        std::all_of(distances.begin(), distances.end(), [](double r) { return r == 0.0; });
    const ReferenceTable reference =
        reference_table(program, probes.size(), Depths::kAll, [&](std::size_t j, double z) {
          return on_axis ? circle_axis_closed_form(radius, z)
                         : circle_stress_ratio_by_rays(radius, distances[j], z);
        });
    add("circle", name, on_axis ? "closed form (axis)" : "ray integral",
        program_errors(program, 0.0, reference));
    if (!wanted("references")) return;
    const ReferenceTable disk =
        reference_table(program, probes.size(), Depths::kChecked, [&](std::size_t j, double z) {
          return circle_stress_ratio_numerical(radius, distances[j], z);
        });
    add("references", "circle, " + name,
        on_axis ? "disk integral against the closed form"
                : "disk integral against the ray integral",
        table_errors(program, 0.0, disk, reference));
  }

  // A 10 by 20 spread area with a total load of 200 kips (1 ksf over the
  // area) against the 2:1 formula from the same reference level. The first
  // depth at which a point is loaded carries nothing in the program (its
  // rule, see docs/method.md) and is left out.
  void spread(const std::string& name, int option, float upper, float lower, double level,
              std::vector<Probe> probes) {
    if (!wanted("spread")) return;
    AreaInput area{AreaKind::kSpreadArea,
                   0.0f,
                   0.0f,
                   static_cast<float>(kWidth),
                   static_cast<float>(kLength),
                   0.0f,
                   static_cast<float>(kWidth * kLength)};
    area.elevation = upper;
    area.upper_depth = upper;
    area.lower_depth = lower;
    area.depth_reference = option;
    const ProgramStresses program =
        program_stresses(area, program_points({{0.0, 0.0}, 0.0}, probes), kDeepest);
    // The load reaches a point at the first depth at which the point lies
    // in the widened area: below the reference level, or for option 2 from
    // the level itself on.
    ReferenceTable reference;
    reference.ratio.resize(probes.size());
    for (std::size_t j = 0; j < probes.size(); ++j) {
      bool reached = false;
      for (const double depth : program.depths) {
        const double d = depth - level;
        const double ratio =
            d < 0.0 ? 0.0 : spread_2to1_ratio(kWidth, kLength, probes[j].u, probes[j].v, d);
        const bool loaded = ratio > 0.0 && (d > 0.0 || option == 2);
        if (loaded && !reached) {
          reached = true;
          reference.ratio[j].push_back(std::nullopt);
        } else {
          reference.ratio[j].push_back(d > 0.0 ? std::optional<double>(ratio) : std::nullopt);
        }
      }
    }
    add("spread", name, "2:1 formula", program_errors(program, level, reference));
  }

  // The 2:1 formula against Boussinesq's rectangle, the same 10 by 20 area
  // loaded at the surface, below `probes`: information on the method, no
  // program.
  void spread_against_boussinesq(const std::string& name, std::vector<Probe> probes) {
    if (!wanted("2:1 against Boussinesq")) return;
    BandErrors errors = no_errors();
    for (const Probe& p : probes) {
      for (double z = 0.25; z <= kDeepest; z += 0.25) {
        const double spread = spread_2to1_ratio(kWidth, kLength, p.u, p.v, z);
        const double boussinesq = rectangle_closed_form(kWidth / 2.0, kLength / 2.0, p.u, p.v, z);
        note(errors, z / kWidth, std::abs(spread - boussinesq));
      }
    }
    add("2:1 against Boussinesq", name, "Boussinesq closed form", errors);
  }

  // The program's rectangle where single precision or its tolerances tell:
  // against the closed form, with the positions as written in decimals.
  void rectangle_limit(const std::string& name, const Frame& frame, std::vector<Probe> probes) {
    if (!wanted("limits")) return;
    const auto [program, closed] = rectangle_stresses(frame, probes);
    add("limits", name, "closed form", program_errors(program, 0.0, closed));
  }

  // The same for a circle, against the ray integral.
  void circle_limit(const std::string& name, PlanPoint centre, std::vector<double> distances) {
    if (!wanted("limits")) return;
    const AreaInput area{AreaKind::kCircle, static_cast<float>(centre.x),
                         static_cast<float>(centre.y), static_cast<float>(kWidth)};
    std::vector<Probe> probes;
    for (double r : distances) probes.push_back({0.6 * r, 0.8 * r});
    const ProgramStresses program =
        program_stresses(area, program_points({centre, 0.0}, probes), kDeepest);
    const ReferenceTable reference =
        reference_table(program, probes.size(), Depths::kAll, [&](std::size_t j, double z) {
          return circle_stress_ratio_by_rays(kWidth / 2.0, distances[j], z);
        });
    add("limits", name, "ray integral", program_errors(program, 0.0, reference));
  }

  std::vector<Comparison> in_table_order() const {
    std::vector<Comparison> ordered;
    for (const char* group :
         {"rectangle", "circle", "spread", "references", "2:1 against Boussinesq", "limits"}) {
      for (const Comparison& c : all_) {
        if (c.group == group && wanted(c.group)) ordered.push_back(c);
      }
    }
    return ordered;
  }

 private:
  bool wanted(std::string_view group) const { return group_.empty() || group_ == group; }

  void add(std::string group, std::string name, std::string reference, const BandErrors& errors) {
    all_.push_back({std::move(group), std::move(name), std::move(reference), errors});
  }

  std::string_view group_;
  std::vector<Comparison> all_;
};

// Points around a 10 by 20 area (half sides 5 and 10), in its own axes.
const std::vector<Probe> kBeyondSides = {{10.0, 0.0},  {0.0, 15.0}, {0.0, -15.0},
                                         {-10.0, 0.0}, {25.0, 0.0}, {0.0, -40.0}};
const std::vector<Probe> kBeyondCorners = {
    {10.0, 15.0}, {-10.0, 15.0}, {10.0, -15.0}, {-10.0, -15.0}, {-30.0, 45.0}};
const std::vector<Probe> kInside = {{0.0, 0.0}, {2.0, -6.0}, {-3.7, 8.2}, {5.0, 10.0}};

std::vector<Probe> concat(std::vector<Probe> a, const std::vector<Probe>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

}  // namespace

std::vector<Comparison> stress_comparisons(std::string_view group) {
  Comparisons c(group);
  const Frame origin{{0.0, 0.0}, 0.0};
  c.rectangle("centre", origin, {{0.0, 0.0}});
  c.rectangle("corner", origin, {{5.0, 10.0}});
  c.rectangle("middle of each side", origin, {{5.0, 0.0}, {0.0, 10.0}});
  c.rectangle("inside, off the centre", origin, {{2.0, -6.0}, {-3.7, 8.2}});
  c.rectangle("outside, beyond a side", origin, kBeyondSides);
  c.rectangle("outside, beyond a corner", origin, kBeyondCorners);
  c.rectangle("outside, 0.027 and 0.06 beyond a side", origin,
              {{5.027, 0.0}, {-5.06, 0.0}, {0.0, 10.027}, {0.0, -10.06}});
  const Frame turned{{3.0, -2.0}, 0.75};
  c.rectangle("rotated (slope 0.75), inside and corner", turned, kInside);
  c.rectangle("rotated (slope 0.75), outside", turned, concat(kBeyondSides, kBeyondCorners));
  c.rectangle("rotated (slope -2), inside and outside", {{-4.5, 7.25}, -2.0},
              {{0.0, 0.0}, {2.0, -6.0}, {10.0, 0.0}, {0.0, 15.0}, {-10.0, -15.0}});

  const PlanPoint centre{2.0, -3.0};
  c.circle("on the axis", centre, {0.0});
  c.circle("next to the axis, r = 0.002 a", centre, {0.01});
  c.circle("inside, r = 0.5 a and 0.8 a", centre, {2.5, 4.0});
  c.circle("inside the rim, r = 0.95 a", centre, {4.75});
  c.circle("inside the rim, r = 0.998 a", centre, {4.99});
  c.circle("on the rim, r = a", centre, {5.0});
  c.circle("outside the rim, r = 1.002 a", centre, {5.01});
  c.circle("outside the rim, r = 1.05 a", centre, {5.25});
  c.circle("outside, r = 1.5 a and 3 a", centre, {7.5, 15.0});

  const std::vector<Probe> spread_probes = {{0.0, 0.0},   {3.0, 6.0},    {5.0, 0.0},
                                            {10.0, 0.0},  {-10.0, 0.0},  {0.0, -15.0},
                                            {10.0, 15.0}, {-10.0, -15.0}};
  c.spread("option 1, from the upper depth 0.0", 1, 0.0f, 6.0f, 0.0, spread_probes);
  c.spread("option 2, two thirds of 0.0 to 10.0: 6.5", 2, 0.0f, 10.0f, 6.5, spread_probes);
  c.spread("option 3, from the lower depth 6.0", 3, 0.0f, 6.0f, 6.0, spread_probes);

  c.spread_against_boussinesq("centre", {{0.0, 0.0}});
  c.spread_against_boussinesq("inside, off the centre", {{3.0, 6.0}});
  c.spread_against_boussinesq("middle of the long side", {{5.0, 0.0}});
  c.spread_against_boussinesq("outside, 5 ft beyond the long side", {{10.0, 0.0}});

  const std::vector<Probe> all_round = concat(kInside, concat(kBeyondSides, kBeyondCorners));
  c.rectangle_limit("rectangle at x, y = 0", origin, all_round);
  c.rectangle_limit("rectangle at x, y = 100000", {{100000.4, 100000.7}, 0.0}, all_round);
  c.rectangle_limit("rectangle at x, y = 1000000", {{1000000.4, 1000000.7}, 0.0}, all_round);
  c.rectangle_limit("rotated rectangle (slope 0.75) near x, y = 0", turned, all_round);
  c.rectangle_limit("rotated rectangle at x, y = 100000", {{100000.4, 100000.7}, 0.75}, all_round);
  c.rectangle_limit("rotated rectangle at x, y = 1000000", {{1000000.4, 1000000.7}, 0.75},
                    all_round);
  const std::vector<double> around_the_rim = {0.0, 2.5, 4.75, 5.25, 7.5};
  c.circle_limit("circle near x, y = 0", centre, around_the_rim);
  c.circle_limit("circle at x, y = 100000", {100000.4, 100000.7}, around_the_rim);
  c.circle_limit("circle at x, y = 1000000", {1000000.4, 1000000.7}, around_the_rim);
  c.rectangle_limit("points 0.02 and 0.04 outside a side", origin,
                    {{5.02, 0.0}, {5.04, 0.0}, {0.0, 10.02}, {0.0, -10.04}});
  return c.in_table_order();
}

}  // namespace verification
