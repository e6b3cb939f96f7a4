// settle import-ags run as an engineer runs it: the oedometer tests of an
// AGS4 file become curve soils of a new or an existing project file, which
// then analyses with them; a file the reader refuses writes nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/run_in_folder.h"

namespace {

namespace fs = std::filesystem;
using testing_support::read_file;
using testing_support::run_in_folder;
using testing_support::TempFolder;
using testing_support::write_file;

const fs::path kAgsData = fs::path(SETTLE_TEST_DATA) / "ags4";

TEST(AgsImport, ANewProjectGetsACurveSoilPerSpecimenNamedAndSourced) {
  TempFolder folder;
  fs::copy_file(kAgsData / "oedometer_sample.ags", folder.path() / "lab.ags");
  const auto run =
      run_in_folder(folder.path(), SETTLE_EXE, {"import-ags", "lab.ags", "soils.toml"});
  ASSERT_EQ(run.exit_status, 0) << run.console;
  EXPECT_NE(run.console.find("settle: 3 curve soils from lab.ags written to soils.toml"),
            std::string::npos)
      << run.console;
  const std::string text = read_file(folder.path() / "soils.toml");
  // The first specimen by hand: e0 0.8, void ratios 0.782 ... 0.665 at 25 ... 400 kPa.
  EXPECT_NE(text.find("[soils.BH1-U3-4_50-1]\nmodel = \"curve\"\n"
                      "strain = [1.0, 1.666666667, 3.0, 5.0, 7.5]\n"
                      "pressure = [25.0, 50.0, 100.0, 200.0, 400.0]\n"
                      "cv = 0.006570841889\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("source = \"AGS4 file lab.ags: hole BH1, sample 3 (U)"), std::string::npos);
}

TEST(AgsImport, AnExistingProjectKeepsItsKeysAndAnalysesWithTheImportedSoil) {
  TempFolder folder;
  fs::copy_file(kAgsData / "oedometer_sample.ags", folder.path() / "lab.ags");
  write_file(folder.path() / "site.toml", R"(schema_version = 1
title = "Clay under a tank"
units = "SI"

[soils.sand]
model = "slope"
slope = 0.5

[[layers]]
bottom = 2.0
soil = "sand"
unit_weight = 19.0

[[layers]]
bottom = 8.0
soil = "BH1-U3-4_50-1"
unit_weight = 17.0

[[points]]
x = 0.0
y = 0.0

[[loads]]
kind = "circle"
x = 0.0
y = 0.0
diameter = 10.0
pressure = 100.0
)");
  ASSERT_EQ(
      run_in_folder(folder.path(), SETTLE_EXE, {"import-ags", "lab.ags", "site.toml"}).exit_status,
      0);
  const std::string text = read_file(folder.path() / "site.toml");
  EXPECT_NE(text.find("title = \"Clay under a tank\""), std::string::npos);
  EXPECT_NE(text.find("[soils.sand]"), std::string::npos);
  const auto run = run_in_folder(folder.path(), SETTLE_EXE, {"site.toml"});
  EXPECT_EQ(run.exit_status, 0) << run.console;
  EXPECT_TRUE(fs::exists(folder.path() / "site.results.json"));

  // A second import would give the soils a second time: refused, the file unchanged.
  const auto again =
      run_in_folder(folder.path(), SETTLE_EXE, {"import-ags", "lab.ags", "site.toml"});
  EXPECT_EQ(again.exit_status, 3);
  EXPECT_NE(again.console.find("soils.BH1-U3-4_50-1: the project has a soil of this name already"),
            std::string::npos);
  EXPECT_EQ(read_file(folder.path() / "site.toml"), text);
}

TEST(AgsImport, AFileTheReaderRefusesWritesNothing) {
  for (const char* file : {"no_cons_group.ags", "ags3_file.ags", "unterminated_quote.ags"}) {
    SCOPED_TRACE(file);
    TempFolder folder;
    fs::copy_file(kAgsData / file, folder.path() / file);
    const auto run = run_in_folder(folder.path(), SETTLE_EXE, {"import-ags", file, "p.toml"});
    EXPECT_EQ(run.exit_status, 3);
    EXPECT_NE(run.console.find(std::string("settle: error: ") + file), std::string::npos)
        << run.console;
    EXPECT_FALSE(fs::exists(folder.path() / "p.toml"));
  }
}

}  // namespace
