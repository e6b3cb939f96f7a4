// The exact method on effective stress, against hand calculations: the
// effective overburden computed here a second way (the unit weight integrated
// with depth in small steps, the pore pressure from the water table or the
// heads), the soils' formulas written out, a uniform load everywhere.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

#include "run/project_analysis.h"

namespace {

constexpr double kWater = 9.81;

// A square load this wide gives 50 kPa to within 1e-9 relative at 10 m.
constexpr const char* kWideLoad = R"(
[[points]]
x = 0.0
y = 0.0

[[loads]]
kind = "rectangle"
x = 0.0
y = 0.0
x_length = 1.0e7
y_length = 1.0e7
pressure = PRESSURE
)";

std::string project(const std::string& tables, double pressure = 50.0) {
  std::string load = kWideLoad;
  load.replace(load.find("PRESSURE"), 8, std::to_string(pressure));
  return "schema_version = 1\nunits = \"SI\"\n" + tables + load;
}

run::ProjectAnalysis analysed(const std::string& text) {
  run::ProjectAnalysis analysis = run::analyse_project_text(text, project::Form::kToml);
  for (const site::Diagnostic& d : analysis.diagnostics)
    if (d.severity == site::Severity::kError) ADD_FAILURE() << d.path << ": " << d.message;
  return analysis;
}

double settlement_of(const std::string& text) {
  const run::ProjectAnalysis analysis = analysed(text);
  return analysis.stopped() ? std::nan("") : double{analysis.results->points.at(0).settlement};
}

// The effective overburden at depth z: the unit weight integrated in steps of
// 1 mm, less the pore pressure below the water table `wt`.
double effective_overburden(double z, double gamma, double gamma_sat, double wt) {
  double total = 0.0;
  const int steps = static_cast<int>(std::lround(z / 0.001));
  for (int i = 0; i < steps; ++i) {
    const double mid = (i + 0.5) * z / steps;
    total += (mid < wt ? gamma : gamma_sat) * z / steps;
  }
  return total - kWater * std::max(0.0, z - wt);
}

// A normally consolidated clay 10 m thick under 50 kPa, in 20 sublayers, by
// hand: the sum of Cc / (1 + e0) H log10((s'0 + 50) / s'0) at their centres, mm.
double clay_by_hand(double wt) {
  double s = 0.0;
  for (int i = 0; i < 20; ++i) {
    const double z = 0.25 + 0.5 * i;
    const double s0 = effective_overburden(z, 18.0, 18.0, wt);
    s += 0.3 / 2.0 * 0.5 * std::log10((s0 + 50.0) / s0) * 1000.0;
  }
  return s;
}

const std::string kClay = R"(
[soils.clay]
model = "index"
cc = 0.3
cr = 0.03
e0 = 1.0
ocr = 1.0

[[layers]]
bottom = 10.0
soil = "clay"
unit_weight = 18.0
saturated_unit_weight = 18.0
)";

TEST(ExactAnalysis, TheTotalOverburdenUnderestimatesASoftClaysSettlementAsHandCalculationsSay) {
  const double dry = settlement_of(project(kClay));
  const double table_2m = settlement_of(project("[groundwater]\nwater_table = 2.0\n" + kClay));
  const double surface = settlement_of(project("[groundwater]\nwater_table = 0.0\n" + kClay));
  EXPECT_NEAR(dry, clay_by_hand(1e9), 1e-6 * dry);
  EXPECT_NEAR(table_2m, clay_by_hand(2.0), 1e-6 * table_2m);
  EXPECT_NEAR(surface, clay_by_hand(0.0), 1e-6 * surface);
  // The ratios 1.18 and 1.61 of effective to total overburden.
  EXPECT_NEAR(table_2m / dry, 1.18, 0.005);
  EXPECT_NEAR(surface / dry, 1.61, 0.005);
}

TEST(ExactAnalysis, AnArtesianHeadTwoMetresAboveGroundStopsWhereNoEffectiveStressIsLeft) {
  std::string clay = kClay;
  clay += "head_top = -2.0\nhead_bottom = -2.0\n";
  const run::ProjectAnalysis analysis =
      run::analyse_project_text(project(clay), project::Form::kToml);
  ASSERT_TRUE(analysis.stopped());
  // 18 z - 9.81 (z + 2) is not above 0 down to z = 2.396 m: the first stop is
  // at the first centre, 0.25 m.
  const site::Diagnostic& stop = analysis.diagnostics.front();
  EXPECT_EQ(stop.path, "layers[1]");
  EXPECT_NE(stop.message.find("at depth 0.25 the initial effective stress is not above 0: "
                              "sigma_v0 = 4.5, u0 = 22.0725, sigma'0 = -17.5725"),
            std::string::npos)
      << stop.message;
}

// One sublayer 1 m thick, its centre at 0.5 m, s'0 = 9 kPa (dry, 18 kN/m3).
std::string thin_index_layer(const std::string& preconsolidation) {
  return "[analysis]\nmax_sublayer = 1.0\n\n[soils.clay]\nmodel = \"index\"\ncc = 0.4\ncr = "
         "0.04\ne0 = 1.5\n" +
         preconsolidation + "\n\n[[layers]]\nbottom = 1.0\nsoil = \"clay\"\nunit_weight = 18.0\n";
}

TEST(ExactAnalysis, IndexSoilsFollowCrToTheirPreconsolidationAndCcBeyondAndHeaveOnCr) {
  struct Case {
    const char* name;
    std::string preconsolidation;
    double pressure;
    std::function<double()> strain;  // by hand
  };
  const double s0 = 9.0;
  const Case cases[] = {
      {"over-consolidated, staying below sigma'p", "sigma_p = 100.0", 50.0,
       [&] { return 0.04 / 2.5 * std::log10((s0 + 50.0) / s0); }},
      {"normally consolidated", "ocr = 1.0", 50.0,
       [&] { return 0.4 / 2.5 * std::log10((s0 + 50.0) / s0); }},
      {"crossing sigma'p = ocr x sigma'0", "ocr = 3.0", 50.0,
       [&] { return (0.04 * std::log10(27.0 / s0) + 0.4 * std::log10((s0 + 50.0) / 27.0)) / 2.5; }},
      {"crossing sigma'p = sigma'0 + pop", "pop = 11.0", 50.0,
       [&] { return (0.04 * std::log10(20.0 / s0) + 0.4 * std::log10((s0 + 50.0) / 20.0)) / 2.5; }},
      {"an excavation heaving on cr", "ocr = 1.0", -6.0,
       [&] { return 0.04 / 2.5 * std::log10((s0 - 6.0) / s0); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const double settlement =
        settlement_of(project(thin_index_layer(c.preconsolidation), c.pressure));
    EXPECT_NEAR(settlement, c.strain() * 1000.0, 1e-6 * std::abs(settlement));
  }
}

// The other models on the same sublayer (s'0 = 9 kPa) under 50 kPa.
TEST(ExactAnalysis, CurveSlopeAndModulusSoilsGiveTheirStrainOnEffectiveStress) {
  struct Case {
    const char* soil;
    double strain;  // by hand
  };
  const double s0 = 9.0, sf = 59.0;
  // The curve through (5 kPa, 1 %), (20 kPa, 3 %), (100 kPa, 8 %), linear in log p.
  const auto curve = [](double p) {
    return p <= 20.0 ? 0.01 + 0.02 * std::log10(p / 5.0) / std::log10(4.0)
                     : 0.03 + 0.05 * std::log10(p / 20.0) / std::log10(5.0);
  };
  const Case cases[] = {
      {"model = \"curve\"\nstrain = [1.0, 3.0, 8.0]\npressure = [5.0, 20.0, 100.0]",
       (curve(sf) - curve(s0)) / (1.0 - curve(s0))},
      {"model = \"slope\"\nslope = 2.5", 0.025 * std::log10(sf / s0)},
      {"model = \"slope\"\nslope = -0.1", 0.001 * (sf - s0)},
      {"model = \"modulus\"\nmv = 0.0002", 0.0002 * 50.0},
      {"model = \"modulus\"\nconstrained_modulus = 4000.0", 50.0 / 4000.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.soil);
    const std::string tables = std::string("[analysis]\nmax_sublayer = 1.0\n\n[soils.s]\n") +
                               c.soil +
                               "\n\n[[layers]]\nbottom = 1.0\nsoil = \"s\"\nunit_weight = 18.0\n";
    const double settlement = settlement_of(project(tables));
    EXPECT_NEAR(settlement, c.strain * 1000.0, 1e-6 * std::abs(settlement));
  }
}

TEST(ExactAnalysis, DewateringASandOverClayLoadsTheClayByThePorePressureItTakesAway) {
  // Sand 0-3 m (mv 1e-4), clay 3-9 m (NC, cc 0.3, e0 1); water table from 1 m to 4 m.
  const std::string tables = R"(
[groundwater]
water_table = 1.0
final_water_table = 4.0

[soils.sand]
model = "modulus"
mv = 0.0001

[soils.clay]
model = "index"
cc = 0.3
cr = 0.03
e0 = 1.0
ocr = 1.0

[[layers]]
bottom = 3.0
soil = "sand"
unit_weight = 18.0
saturated_unit_weight = 20.0

[[layers]]
bottom = 9.0
soil = "clay"
unit_weight = 17.0
)";
  // No load: the water change alone.
  double by_hand = 0.0;
  for (int i = 0; i < 18; ++i) {
    const double z = 0.25 + 0.5 * i;
    // In steps of 1 mm, which meet the layer boundary and the water table.
    double total = 0.0;
    const int steps = static_cast<int>(std::lround(z / 0.001));
    for (int k = 0; k < steps; ++k) {
      const double mid = (k + 0.5) * 0.001;
      total += (mid < 1.0 ? 18.0 : mid < 3.0 ? 20.0 : 17.0) * 0.001;
    }
    const double u0 = kWater * std::max(0.0, z - 1.0);
    const double uf = kWater * std::max(0.0, z - 4.0);
    const double s0 = total - u0;
    const double change = u0 - uf;
    by_hand +=
        (z < 3.0 ? 1e-4 * change : 0.3 / 2.0 * std::log10((s0 + change) / s0)) * 0.5 * 1000.0;
  }
  const double settlement = settlement_of(project(tables, 0.0));
  EXPECT_NEAR(settlement, by_hand, 1e-6 * by_hand);
}

}  // namespace
