#include "study/design_checks.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <variant>
#include <vector>

#include "study/correlation_matrix.h"

namespace study {
namespace {

Design good_design() {
  Design d;
  d.method = Method::kLatinHypercube;
  d.seed = 20261209;
  d.samples = 1000;
  d.parameters = {{"soils.clay.cc", Lognormal{0.3, 0.25}},
                  {"soils.clay.cr", Normal{0.05, 0.01}},
                  {"loads.T1.pressure", Uniform{90.0, 110.0}},
                  {"layers[1].bottom", Triangular{9.0, 10.0, 12.0}}};
  d.correlations = {{"soils.clay.cc", "soils.clay.cr", 0.7}};
  return d;
}

TEST(DesignChecks, GoodDesignHasNoFault) {
  EXPECT_TRUE(check_design(good_design()).empty());
  Design edges = good_design();
  edges.samples = kMaxSamples;
  edges.parameters[0].distribution = Lognormal{0.3, 0.0};         // a fixed value
  edges.parameters[1].distribution = Normal{-0.05, 0.0};          // a fixed value, any sign
  edges.parameters[3].distribution = Triangular{9.0, 9.0, 12.0};  // the mode at an end
  edges.correlations[0].rho = -0.999;
  EXPECT_TRUE(check_design(edges).empty());
  edges.samples = 1;
  EXPECT_TRUE(check_design(edges).empty());
}

// Each bad input alone, and the one fault it must give.
TEST(DesignChecks, EachBadInputGivesItsFault) {
  struct Case {
    int line;
    void (*spoil)(Design&);
    DesignFault fault;
  };
  const double nan = std::numeric_limits<double>::quiet_NaN();
  static double infinity = std::numeric_limits<double>::infinity();
  const Case cases[] = {
      {__LINE__, [](Design& d) { d.samples = 0; }, SampleCountOutOfRange{0}},
      {__LINE__, [](Design& d) { d.samples = kMaxSamples + 1; },
       SampleCountOutOfRange{kMaxSamples + 1}},
      {__LINE__,
       [](Design& d) {
         d.parameters[1].distribution = Normal{0.05, -0.01};
       },
       NegativeSd{1, "soils.clay.cr", -0.01}},
      {__LINE__,
       [](Design& d) {
         d.parameters[0].distribution = Lognormal{0.3, -0.1};
       },
       NegativeCov{0, "soils.clay.cc", -0.1}},
      {__LINE__,
       [](Design& d) {
         d.parameters[0].distribution = Lognormal{0.0, 0.25};
       },
       NonPositiveLognormalMean{0, "soils.clay.cc", 0.0}},
      {__LINE__,
       [](Design& d) {
         d.parameters[0].distribution = Lognormal{-0.3, 0.25};
       },
       NonPositiveLognormalMean{0, "soils.clay.cc", -0.3}},
      {__LINE__,
       [](Design& d) {
         d.parameters[2].distribution = Uniform{110.0, 110.0};
       },
       EmptyRange{2, "loads.T1.pressure", 110.0, 110.0}},
      {__LINE__,
       [](Design& d) {
         d.parameters[3].distribution = Triangular{12.0, 12.0, 9.0};
       },
       EmptyRange{3, "layers[1].bottom", 12.0, 9.0}},
      {__LINE__,
       [](Design& d) {
         d.parameters[3].distribution = Triangular{9.0, 12.5, 12.0};
       },
       ModeOutsideRange{3, "layers[1].bottom", 9.0, 12.5, 12.0}},
      {__LINE__,
       [](Design& d) {
         d.parameters[3].distribution = Triangular{9.0, 8.0, 12.0};
       },
       ModeOutsideRange{3, "layers[1].bottom", 9.0, 8.0, 12.0}},
      {__LINE__,
       [](Design& d) {
         d.parameters[2].distribution = Uniform{90.0, infinity};
       },
       NotFinite{2, "loads.T1.pressure", Figure::kHigh, infinity}},
      {__LINE__,
       [](Design& d) {
         d.parameters.push_back({"soils.clay.cc", Normal{1.0, 0.1}});
       },
       DuplicateTarget{4, 0, "soils.clay.cc"}},
      {__LINE__, [](Design& d) { d.correlations[0].rho = 1.2; },
       RhoOutsideRange{0, "soils.clay.cc", "soils.clay.cr", 1.2}},
      {__LINE__, [](Design& d) { d.correlations[0].rho = -1.01; },
       RhoOutsideRange{0, "soils.clay.cc", "soils.clay.cr", -1.01}},
      {__LINE__, [](Design& d) { d.correlations[0].b = "soils.sand.phi"; },
       UnknownCorrelationTarget{0, "soils.sand.phi"}},
      {__LINE__, [](Design& d) { d.correlations[0].b = "soils.clay.cc"; },
       SelfCorrelation{0, "soils.clay.cc"}},
      {__LINE__,
       [](Design& d) {
         d.correlations.push_back({"soils.clay.cr", "soils.clay.cc", 0.5});
       },
       DuplicatePair{1, 0, "soils.clay.cr", "soils.clay.cc"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    Design d = good_design();
    c.spoil(d);
    const std::vector<DesignFault> faults = check_design(d);
    ASSERT_EQ(faults.size(), 1u);
    EXPECT_TRUE(faults[0] == c.fault) << "found fault kind " << faults[0].index();
  }
  Design not_a_number = good_design();
  not_a_number.correlations[0].rho = nan;
  ASSERT_EQ(check_design(not_a_number).size(), 1u);
  EXPECT_TRUE(std::holds_alternative<RhoOutsideRange>(check_design(not_a_number)[0]));
}

std::vector<std::size_t> named_pairs(const Design& d) {
  const std::vector<DesignFault> faults = check_design(d);
  EXPECT_EQ(faults.size(), 1u);
  if (faults.size() != 1) return {};
  const auto* fault = std::get_if<NotPositiveDefinite>(&faults[0]);
  EXPECT_NE(fault, nullptr);
  if (fault == nullptr) return {};
  EXPECT_LE(fault->smallest_eigenvalue, kPivotFloor);
  std::vector<std::size_t> pairs;
  for (const auto& pair : fault->pairs) pairs.push_back(pair.correlation);
  return pairs;
}

// a, b and c cannot be pairwise so correlated with a-c negative: the matrix's
// smallest eigenvalue is -0.8 with eigenvector (1, -1, 1) / sqrt 3; the
// pairs of d and e, consistent on their own, are not named.
TEST(DesignChecks, MatrixNotPositiveDefiniteNamesThePairsThatSpoilIt) {
  Design d;
  d.samples = 100;
  for (const char* name : {"a", "b", "c", "d", "e"}) d.parameters.push_back({name, Normal{1, 0.1}});
  d.correlations = {
      {"d", "e", 0.5}, {"a", "b", 0.9}, {"b", "c", 0.9}, {"a", "d", 0.05}, {"c", "a", -0.9}};
  EXPECT_EQ(named_pairs(d), (std::vector<std::size_t>{1, 2, 4}));

  // Three soils' cc, cr and ocr with each cc tied to the next: each
  // correlation is moderate, yet together they are not positive definite;
  // NumPy's eigh gives the smallest eigenvalue -0.00270145, carried by the
  // middle soil and its neighbours' cc-cr pairs (the ocr of the outer soils
  // weigh less than a tenth and are not named).
  Design soils;
  soils.samples = 100;
  for (const char* soil : {"clay1", "clay2", "clay3"}) {
    const std::string s = std::string("soils.") + soil;
    soils.parameters.push_back({s + ".cc", Lognormal{0.3, 0.3}});
    soils.parameters.push_back({s + ".cr", Lognormal{0.05, 0.3}});
    soils.parameters.push_back({s + ".ocr", Normal{1.5, 0.2}});
    soils.correlations.push_back({s + ".cc", s + ".cr", 0.7});
    soils.correlations.push_back({s + ".cc", s + ".ocr", -0.3});
  }
  soils.parameters.push_back({"loads.T1.pressure", Triangular{90.0, 100.0, 120.0}});
  soils.correlations.push_back({"soils.clay1.cc", "soils.clay2.cc", 0.3});
  soils.correlations.push_back({"soils.clay2.cc", "soils.clay3.cc", 0.3});
  EXPECT_EQ(named_pairs(soils), (std::vector<std::size_t>{0, 2, 3, 4, 6, 7}));
  EXPECT_NEAR(std::get<NotPositiveDefinite>(check_design(soils)[0]).smallest_eigenvalue,
              -0.00270145, 1e-8);

  // rho = 1 alone: singular, hence not positive definite; the pair is named.
  Design one;
  one.samples = 100;
  one.parameters = {{"a", Normal{1, 0.1}}, {"b", Normal{1, 0.1}}, {"c", Normal{1, 0.1}}};
  one.correlations = {{"a", "c", 0.2}, {"b", "a", 1.0}};
  EXPECT_EQ(named_pairs(one), (std::vector<std::size_t>{1}));
}

}  // namespace
}  // namespace study
