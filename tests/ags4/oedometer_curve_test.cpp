#include "ags4/oedometer_curve.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ags4 {
namespace {

struct Naming {
  int source_line;
  SpecimenKey key;
  const char* name;
};

TEST(SpecimenCurve, BaseNameIsHoleSampleAndDepthAsABareKey) {
  const Naming cases[] = {
      {__LINE__, {"BH1", "4.50", "3", "U", "BH1-3U", "1", "4.55"}, "BH1-U3-4_50"},
      // A reference that already carries its type keeps it once.
      {__LINE__, {"BH1", "4.50", "U3", "U", "", "1", "4.55"}, "BH1-U3-4_50"},
      // No reference: the sample's identifier; no sample depth: the specimen's.
      {__LINE__, {"BH2", "", "", "U", "S-0031", "A", "12.25"}, "BH2-S-0031-12_25"},
      // Characters a TOML bare key cannot hold become '_'.
      {__LINE__, {"TP 4/a", "1.00", "2", "B", "", "1", "1.05"}, "TP_4_a-B2-1_00"},
      {__LINE__, {"WS1", "", "", "", "", "", ""}, "WS1"},
  };
  for (const Naming& c : cases) {
    SCOPED_TRACE(c.source_line);
    EXPECT_EQ(base_name(c.key), c.name);
  }
}

Specimen two_point_specimen(SpecimenKey key) {
  Specimen specimen;
  specimen.key = std::move(key);
  specimen.initial_void_ratio = 1.0;
  specimen.increments = {
      {1, 50.0, 0.9, std::nullopt, std::nullopt, CvMethod::kRootTime, true, 10},
      {2, 100.0, 0.8, std::nullopt, std::nullopt, CvMethod::kRootTime, true, 11}};
  return specimen;
}

TEST(SpecimenCurve, NamesAreMadeUniqueBySpecimenReferenceThenByCount) {
  const std::vector<Specimen> specimens = {
      two_point_specimen({"BH1", "4.50", "3", "U", "", "1", "4.55"}),
      two_point_specimen({"BH1", "4.50", "3", "U", "", "2", "4.70"}),
      two_point_specimen({"BH1", "6.00", "4", "U", "", "1", "6.05"}),
      // Same hole, sample and specimen reference, apart only in SAMP_ID.
      two_point_specimen({"BH1", "6.00", "4", "U", "X", "1", "6.05"}),
      // Sanitising makes "BH.1" meet "BH_1".
      two_point_specimen({"BH.1", "1.00", "", "", "", "", ""}),
      two_point_specimen({"BH_1", "1.00", "", "", "", "", ""}),
  };
  std::vector<std::string> names;
  for (const SpecimenCurve& curve : specimen_curves(specimens, "f.ags", TimeUnit::kDay)) {
    names.push_back(curve.name);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"BH1-U3-4_50-1", "BH1-U3-4_50-2", "BH1-U4-6_00-1",
                                             "BH1-U4-6_00-1-2", "BH_1-1_00", "BH_1-1_00-2"}));
}

TEST(SpecimenCurve, CvConvertsFromSquareMetresPerYear) {
  EXPECT_DOUBLE_EQ(cv_in(365.25, TimeUnit::kDay), 1.0);
  EXPECT_DOUBLE_EQ(cv_in(12.0, TimeUnit::kMonth), 1.0);
  EXPECT_EQ(cv_in(3.7, TimeUnit::kYear), 3.7);
}

}  // namespace
}  // namespace ags4
