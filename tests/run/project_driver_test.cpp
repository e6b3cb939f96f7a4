// settle's project commands run as a user runs them: a project with a
// mistake stops with a message that names the key and writes nothing; a
// sound one writes its results file and report; settle convert carries an
// archived problem to a project file and back without changing its report.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "support/run_in_folder.h"

namespace {

namespace fs = std::filesystem;
using testing_support::read_file;
using testing_support::run_in_folder;
using testing_support::TempFolder;
using testing_support::write_file;

constexpr int kStoppedOnData = 3;

const std::string kBase = R"(schema_version = 1
title = "Two tanks on sand over clay"
units = "SI"

[groundwater]
water_table = 1.5

[soils.sand]
model = "modulus"
mv = 0.0001

[soils.clay]
model = "index"
cc = 0.45
cr = 0.05
e0 = 1.2
ocr = 1.3

[[layers]]
bottom = 2.0
soil = "sand"
unit_weight = 19.0
saturated_unit_weight = 20.0

[[layers]]
bottom = 12.0
soil = "clay"
unit_weight = 17.0

[[points]]
name = "A"
x = 0.0
y = 0.0

[[points]]
name = "B"
x = 5.0
y = 0.0

[[loads]]
kind = "circle"
name = "T1"
x = 0.0
y = 0.0
diameter = 20.0
pressure = 120.0

[[loads]]
kind = "rectangle"
name = "B1"
x = 30.0
y = 0.0
x_length = 12.0
y_length = 24.0
angle = 30.0
pressure = 80.0
)";

// kBase with its first `from` replaced by `to`.
std::string changed(const std::string& from, const std::string& to) {
  std::string text = kBase;
  const std::size_t at = text.find(from);
  if (at == std::string::npos)
    ADD_FAILURE() << "the base project holds no " << from;
  else
    text.replace(at, from.size(), to);
  return text;
}

std::string without(const std::string& from, const std::string& up_to) {
  const std::size_t a = kBase.find(from);
  const std::size_t b = kBase.find(up_to);
  return kBase.substr(0, a) + kBase.substr(b);
}

// The base project in JSON, as `settle convert` writes it.
std::string base_json() {
  TempFolder folder;
  write_file(folder.path() / "p.toml", kBase);
  run_in_folder(folder.path(), SETTLE_EXE, {"convert", "p.toml", "p.json"});
  return read_file(folder.path() / "p.json");
}

std::vector<std::string> files_in(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

struct BadProject {
  const char* mistake;
  const char* file;  // p.toml or p.json
  std::function<std::string()> text;
  const char* message;  // what the console's error line holds
};

const std::vector<BadProject>& bad_projects() {
  static const std::vector<BadProject> cases = {
      {"an unknown key", "p.toml", [] { return kBase + "\n[analysis]\nmethdo = \"exact\"\n"; },
       "line 59: analysis.methdo: is not a key of this table; did you mean \"method\"?"},
      {"a misspelt key", "p.toml",
       [] { return changed("unit_weight = 17.0", "unit_wieght = 17.0"); },
       "layers[2].unit_wieght: is not a key of this table; did you mean \"unit_weight\"?"},
      {"a list for a number", "p.toml",
       [] { return changed("diameter = 20.0", "diameter = [20.0]"); },
       "line 45: loads[1].diameter: [20.0] is a list; expected a number"},
      {"a string for a number", "p.toml",
       [] { return changed("pressure = 120.0", "pressure = \"120\""); },
       "loads[1].pressure: \"120\" is a text; expected a number"},
      {"NaN", "p.toml", [] { return changed("pressure = 120.0", "pressure = nan"); },
       "loads[1].pressure: nan is not a finite number"},
      {"infinity", "p.toml", [] { return changed("x_length = 12.0", "x_length = -inf"); },
       "loads[2].x_length: -inf is not a finite number"},
      {"a soil that does not exist", "p.toml",
       [] { return changed("soil = \"clay\"", "soil = \"peat\""); },
       "layers[2].soil: \"peat\" names no soil of the project"},
      {"two layers with one bottom", "p.toml",
       [] { return changed("bottom = 12.0", "bottom = 2.0"); },
       "layers[2].bottom: 2 is the bottom of layers[1] too"},
      {"bottoms not increasing", "p.toml", [] { return changed("bottom = 12.0", "bottom = 1.0"); },
       "layers[2].bottom: 1 is not below the bottom of layers[1] (2)"},
      {"a negative thickness factor", "p.toml",
       [] { return changed("bottom = 12.0", "bottom = 12.0\nthickness_factor = -1.0"); },
       "layers[2].thickness_factor: -1.0 is too small; expected 0 or more"},
      {"a negative diameter", "p.toml",
       [] { return changed("diameter = 20.0", "diameter = -20.0"); },
       "loads[1].diameter: diameter is -20: a circle's diameter must be greater than 0"},
      {"two points of one name", "p.toml", [] { return changed("name = \"B\"", "name = \"A\""); },
       "points[2].name: \"A\" is the name of points[1] too"},
      {"two loads of one name", "p.toml", [] { return changed("name = \"B1\"", "name = \"T1\""); },
       "loads[2].name: \"T1\" is the name of loads[1] too"},
      {"no layers", "p.toml", [] { return without("[[layers]]", "[[points]]"); },
       "layers: holds no layer; a profile needs one at least"},
      {"a schema version to come", "p.toml",
       [] { return changed("schema_version = 1", "schema_version = 2"); },
       "line 1: schema_version: 2 is not allowed; expected 1"},
      {"no schema version", "p.toml", [] { return changed("schema_version = 1\n", ""); },
       "schema_version: is missing"},
      {"a unit system not known", "p.toml",
       [] { return changed("units = \"SI\"", "units = \"metric\""); },
       "units: \"metric\" is not one of \"SI\", \"US\""},
      {"a TOML syntax error", "p.toml", [] { return changed("x = 5.0", "x = 5.0.0"); },
       "line 37: is not valid TOML"},
      {"a TOML key given twice", "p.toml", [] { return changed("x = 5.0", "x = 5.0\nx = 6.0"); },
       "line 38: is not valid TOML"},
      {"both ocr and pop", "p.toml", [] { return changed("ocr = 1.3", "ocr = 1.3\npop = 20.0"); },
       "soils.clay.pop: ocr and pop are given"},
      {"a negative e0", "p.toml", [] { return changed("e0 = 1.2", "e0 = -1.2"); },
       "soils.clay.e0: -1.2 is too small; expected more than 0"},
      {"a negative compression index", "p.toml", [] { return changed("cc = 0.45", "cc = -0.45"); },
       "soils.clay.cc: -0.45 is too small; expected 0 or more"},
      {"a negative mv", "p.toml", [] { return changed("mv = 0.0001", "mv = -0.0001"); },
       "soils.sand.mv: -0.0001 is too small; expected 0 or more"},
      {"no preconsolidation", "p.toml", [] { return changed("ocr = 1.3\n", ""); },
       "soils.clay.sigma_p: is missing: exactly one of sigma_p, ocr and pop"},
      {"curve pressures falling", "p.toml",
       [] {
         return changed("model = \"index\"\ncc = 0.45\ncr = 0.05\ne0 = 1.2\nocr = 1.3",
                        "model = \"curve\"\nstrain = [1.0, 3.0]\npressure = [200.0, 50.0]");
       },
       "soils.clay.pressure[2]: 50 does not rise from the pressure before (200)"},
      {"a strain without its pressure", "p.toml",
       [] {
         return changed("model = \"index\"\ncc = 0.45\ncr = 0.05\ne0 = 1.2\nocr = 1.3",
                        "model = \"curve\"\nstrain = [1.0, 3.0, 4.0]\npressure = [50.0, 200.0]");
       },
       "soils.clay.pressure: holds 2 pressures for 3 strains"},
      {"a soil model not known", "p.toml",
       [] { return changed("model = \"modulus\"", "model = \"elastic\""); },
       "soils.sand.model: \"elastic\" is not one of \"curve\", \"slope\", \"index\", \"modulus\""},
      {"a load kind not known", "p.toml",
       [] { return changed("kind = \"circle\"", "kind = \"triangle\""); },
       "loads[1].kind: \"triangle\" is not one of"},
      {"an artesian head that lifts the clay", "p.toml",
       [] {
         return changed("unit_weight = 17.0",
                        "unit_weight = 17.0\nhead_top = -12.0\nhead_bottom = -12.0");
       },
       "layers[2]: at depth 2.25 the initial effective stress is not above 0"},
      {"a start layer below the profile", "p.toml",
       [] { return changed("name = \"B\"", "name = \"B\"\nstart_layer = 5"); },
       "points[2].start_layer: 5 is not a layer: the profile has 2 layers"},
      {"sublayers of no thickness", "p.toml",
       [] { return kBase + "\n[analysis]\nmax_sublayer = -0.5\n"; },
       "analysis.max_sublayer: -0.5 is too small; expected more than 0"},
      {"a count of sublayers past the limit", "p.toml",
       [] { return kBase + "\n[analysis]\nmax_sublayer = 1e-9\n"; },
       "cuts the profile into 12000000000 sublayers; at most 1000000 are analysed"},
      {"the classic method on groundwater", "p.toml",
       [] { return kBase + "\n[analysis]\nmethod = \"classic\"\n"; },
       "groundwater: groundwater is something the classic method cannot take"},
      {"a polygon of two vertices", "p.toml",
       [] {
         return kBase +
                "\n[[loads]]\nkind = \"polygon\"\nvertices = [[0.0, 0.0], [1.0, 0.0]]\n"
                "pressure = 10.0\n";
       },
       "loads[3].vertices: vertices has 2 vertices: a polygon needs three or more"},
      {"a polygon crossing itself", "p.toml",
       [] {
         return kBase +
                "\n[[loads]]\nkind = \"polygon\"\n"
                "vertices = [[0.0, 0.0], [1.0, 1.0], [1.0, 0.0], [0.0, 1.0]]\npressure = 10.0\n";
       },
       "the outline must not cross or touch itself"},
      {"a polygon of no area", "p.toml",
       [] {
         return kBase +
                "\n[[loads]]\nkind = \"polygon\"\nvertices = [[0.0, 0.0], [1.0, 0.0], [2.0, 0.0]]\n"
                "pressure = 10.0\n";
       },
       "loads[3].vertices: the polygon's area is 0"},
      {"a polygon with a vertex given twice", "p.toml",
       [] {
         return kBase +
                "\n[[loads]]\nkind = \"polygon\"\n"
                "vertices = [[0.0, 0.0], [1.0, 0.0], [1.0, 0.0], [1.0, 1.0]]\npressure = 10.0\n";
       },
       "loads[3].vertices[3]: vertices[3] (1, 0) repeats vertices[2]"},
      {"an embankment of no height", "p.toml",
       [] {
         return kBase +
                "\n[[loads]]\nkind = \"embankment\"\nx1 = 0.0\ny1 = 0.0\nx2 = 10.0\ny2 = 0.0\n"
                "crest_width = 5.0\nheight = 0.0\nside_slope = 2.0\nunit_weight = 20.0\n";
       },
       "loads[3].height: height is 0: an embankment's height must be greater than 0"},
      {"a strip of no width", "p.toml",
       [] {
         return kBase +
                "\n[[loads]]\nkind = \"strip\"\nx = 0.0\ny = 0.0\nangle = 0.0\nwidth = 0.0\n"
                "pressure = 10.0\n";
       },
       "loads[3].width: width is 0: a strip's width must be greater than 0"},
      {"an embankment leaning inward", "p.toml",
       [] {
         return kBase +
                "\n[[loads]]\nkind = \"embankment\"\nx1 = 0.0\ny1 = 0.0\nx2 = 10.0\ny2 = 0.0\n"
                "crest_width = 5.0\nheight = 2.0\nside_slope = -2.0\nunit_weight = 20.0\n";
       },
       "loads[3].side_slope: side_slope is -2"},
      {"a ramp of negative length", "p.toml",
       [] { return changed("pressure = 80.0", "pressure = 80.0\nramp = -5.0"); },
       "loads[2].ramp: ramp is -5: a load's ramp must be 0 or more"},
      {"three title lines", "p.toml",
       [] {
         return changed("title = \"Two tanks on sand over clay\"", "title = [\"a\", \"b\", \"c\"]");
       },
       "title: [\"a\",\"b\",\"c\"] is a list; expected a text or a list of 1 to 2 texts"},
      {"a TOML file that is not UTF-8", "p.toml",
       [] { return changed("Two tanks", "Two \xff tanks"); },
       "line 2: is not valid UTF-8: byte 0xFF at column 14"},
      {"a JSON file that is not UTF-8", "p.json",
       [] {
         std::string text = base_json();
         text.replace(text.find("Two tanks"), 3, "T\xc3\x28");
         return text;
       },
       "is not valid UTF-8: byte 0xC3"},
      {"a JSON file with a comment", "p.json", [] { return "// the tanks\n" + base_json(); },
       "line 1: is not valid JSON: JSON has no comments"},
      {"a JSON number beyond a double", "p.json",
       [] {
         std::string text = base_json();
         return text.replace(text.find("\"schema_version\": 1"), 19, "\"schema_version\": 1e400");
       },
       "line 2: is not valid JSON: number overflow parsing '1e400'"},
      {"a JSON key given twice", "p.json",
       [] {
         std::string text = base_json();
         const std::size_t at = text.find("\"units\"");
         return text.insert(at, "\"units\": \"US\",\n  ");
       },
       "units: is given twice in one object"},
      {"a JSON syntax error", "p.json",
       [] {
         std::string text = base_json();
         return text.insert(text.find("\"units\""), ",");
       },
       "is not valid JSON"},
  };
  return cases;
}

TEST(ProjectDriver, EachMistakeStopsTheRunNamingItsKeyAndWritesNothing) {
  for (const BadProject& bad : bad_projects()) {
    SCOPED_TRACE(bad.mistake);
    TempFolder folder;
    write_file(folder.path() / bad.file, bad.text());
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{bad.file}, std::vector<std::string>{"--check", bad.file}}) {
      const auto run = run_in_folder(folder.path(), SETTLE_EXE, arguments);
      EXPECT_EQ(run.exit_status, kStoppedOnData) << run.console;
      EXPECT_NE(run.console.find(std::string("settle: error: ") + bad.file), std::string::npos)
          << run.console;
      EXPECT_NE(run.console.find(bad.message), std::string::npos) << run.console;
      EXPECT_EQ(files_in(folder.path()), std::vector<std::string>{bad.file});
    }
  }
}

// Values that are legal but worth a second look: the run goes on and says so.
TEST(ProjectDriver, DoubtfulValuesAreWarnedOfAndTheRunGoesOn) {
  struct Doubtful {
    std::string text;
    const char* warning;
  };
  const Doubtful cases[] = {
      {changed("cr = 0.05", "cr = 0.6"),
       "soils.clay.cr: 0.6 is greater than cc (0.45); a recompression index is usually a "
       "fraction of cc"},
      {changed("ocr = 1.3", "sigma_p = 5.0"),
       "layers[2]: soil \"clay\" gives a sigma_p below sigma'0 at depths 2.25 to 11.75: the soil "
       "is taken as normally consolidated there"},
      {changed("water_table = 1.5", "water_table = 30.0"),
       "groundwater.water_table: 30 is below the profile's base (12): the ground is dry"},
  };
  for (const Doubtful& doubtful : cases) {
    SCOPED_TRACE(doubtful.warning);
    TempFolder folder;
    write_file(folder.path() / "p.toml", doubtful.text);
    const auto run = run_in_folder(folder.path(), SETTLE_EXE, {"p.toml"});
    EXPECT_EQ(run.exit_status, 0) << run.console;
    EXPECT_NE(run.console.find(std::string("settle: warning: p.toml")), std::string::npos);
    EXPECT_NE(run.console.find(doubtful.warning), std::string::npos) << run.console;
    EXPECT_TRUE(fs::exists(folder.path() / "p.results.json"));
  }
}

// The archived file's 25 layers, 150 points and 150 areas are not the site's.
TEST(ProjectDriver, AThousandPointsAThousandLoadsAndAHundredLayersRun) {
  std::string text =
      "schema_version = 1\nunits = \"SI\"\n\n[soils.clay]\nmodel = \"modulus\"\n"
      "mv = 0.0001\n\n";
  const auto layers = [&](int count, double thickness) {
    for (int i = 1; i <= count; ++i)
      text += "[[layers]]\nbottom = " + std::to_string(i * thickness) +
              "\nsoil = \"clay\"\nunit_weight = 18.0\n\n";
  };
  const auto points = [&](int count) {
    for (int i = 0; i < count; ++i)
      text += "[[points]]\nx = " + std::to_string(i % 40) + ".0\ny = " + std::to_string(i / 40) +
              ".0\n\n";
  };
  const auto loads = [&](int count) {
    for (int i = 0; i < count; ++i)
      text += "[[loads]]\nkind = \"rectangle\"\nx = " + std::to_string(i % 40) +
              ".5\ny = " + std::to_string(i / 40) +
              ".5\nx_length = 0.8\ny_length = 0.8\npressure = 10.0\n\n";
  };
  const std::string head = text;
  layers(1, 0.5);
  points(1000);
  loads(1000);
  const std::string wide = text;
  text = head;
  layers(100, 0.25);
  points(3);
  loads(3);
  const std::string deep = text;
  for (const std::string* project : {&wide, &deep}) {
    TempFolder folder;
    write_file(folder.path() / "p.toml", *project);
    const auto run = run_in_folder(folder.path(), SETTLE_EXE, {"p.toml"});
    ASSERT_EQ(run.exit_status, 0) << run.console;
    const std::string results = read_file(folder.path() / "p.results.json");
    const std::size_t count = project == &wide ? 1000 : 3;
    std::size_t names = 0;
    for (std::size_t at = results.find("\"name\""); at != std::string::npos;
         at = results.find("\"name\"", at + 1))
      ++names;
    EXPECT_EQ(names, count);
  }
}

TEST(ProjectDriver, AProjectLargerThanTheReaderTakesIsRefusedUnread) {
  TempFolder folder;
  write_file(folder.path() / "p.toml", kBase);
  fs::resize_file(folder.path() / "p.toml", 100u << 20);  // sparse: no memory taken here either
  const auto run = run_in_folder(folder.path(), SETTLE_EXE, {"p.toml"});
  EXPECT_EQ(run.exit_status, kStoppedOnData);
  EXPECT_NE(run.console.find("the file holds 104857600 bytes, more than the 67108864"),
            std::string::npos)
      << run.console;
  EXPECT_EQ(files_in(folder.path()), std::vector<std::string>{"p.toml"});
}

TEST(ProjectDriver, ASoundProjectWritesItsResultsAndReportAndGivesTheSameInEitherForm) {
  TempFolder folder;
  write_file(folder.path() / "p.toml", kBase);
  const auto check = run_in_folder(folder.path(), SETTLE_EXE, {"--check", "p.toml"});
  EXPECT_EQ(check.exit_status, 0);
  EXPECT_NE(check.console.find("settle: p.toml passes its checks"), std::string::npos);
  EXPECT_EQ(files_in(folder.path()), std::vector<std::string>{"p.toml"});

  ASSERT_EQ(run_in_folder(folder.path(), SETTLE_EXE, {"p.toml"}).exit_status, 0);
  ASSERT_EQ(run_in_folder(folder.path(), SETTLE_EXE, {"convert", "p.toml", "q.json"}).exit_status,
            0);
  ASSERT_EQ(run_in_folder(folder.path(), SETTLE_EXE, {"convert", "q.json", "r.toml"}).exit_status,
            0);
  ASSERT_EQ(run_in_folder(folder.path(), SETTLE_EXE, {"q.json"}).exit_status, 0);
  EXPECT_EQ(read_file(folder.path() / "p.results.json"),
            read_file(folder.path() / "q.results.json"));
  // TOML to JSON to TOML is the file settle writes from the project itself.
  ASSERT_EQ(run_in_folder(folder.path(), SETTLE_EXE, {"convert", "r.toml", "s.toml"}).exit_status,
            0);
  EXPECT_EQ(read_file(folder.path() / "r.toml"), read_file(folder.path() / "s.toml"));
}

TEST(ProjectDriver, AProjectTheArchivedFileCannotHoldIsRefusedNamingTheKey) {
  TempFolder folder;
  write_file(folder.path() / "p.toml", kBase);
  const auto run = run_in_folder(folder.path(), SETTLE_EXE, {"convert", "p.toml", "p.dat"});
  EXPECT_EQ(run.exit_status, kStoppedOnData);
  EXPECT_NE(run.console.find("groundwater"), std::string::npos) << run.console;
  EXPECT_EQ(files_in(folder.path()), std::vector<std::string>{"p.toml"});
}

TEST(ProjectDriver, ALoadKindTheArchivedFileHasNotIsRefusedNamingTheLoad) {
  TempFolder folder;
  std::string text = read_file(fs::path(SETTLE_EXAMPLES) / "sample" / "sample.toml");
  text.replace(text.find("method = \"classic\""), 18, "method = \"exact\"");
  text +=
      "\n[[loads]]\nkind = \"polygon\"\nvertices = [[0.0, 0.0], [1.0, 0.0], [1.0, 1.0]]\n"
      "pressure = 1.0\n";
  write_file(folder.path() / "p.toml", text);
  const auto run = run_in_folder(folder.path(), SETTLE_EXE, {"convert", "p.toml", "p.dat"});
  EXPECT_EQ(run.exit_status, kStoppedOnData);
  EXPECT_NE(run.console.find("loads[3].kind: the archived problem file cannot hold a polygon"),
            std::string::npos)
      << run.console;
  EXPECT_FALSE(fs::exists(folder.path() / "p.dat"));
}

// Every example and reviewed end-to-end case whose problem runs: converted to
// a project file and back, its report is the original's byte for byte.
TEST(ProjectDriver, ArchivedToProjectToArchivedKeepsTheReport) {
  int compared = 0;
  for (const fs::path& source : testing_support::reviewed_case_folders(
           SETTLE_EXAMPLES, fs::path(SETTLE_TEST_DATA) / "e2e")) {
    if (!testing_support::case_setup(source).plain()) continue;
    SCOPED_TRACE(source.string());
    TempFolder original, converted;
    testing_support::copy_case_inputs(source, original.path());
    const std::string problem = testing_support::case_problem_file(original.path());
    if (run_in_folder(original.path(), SETTLE_EXE).exit_status != 0) continue;
    const auto there =
        run_in_folder(original.path(), SETTLE_EXE,
                      {"convert", problem, (converted.path() / "project.toml").string()});
    if (there.exit_status == kStoppedOnData) continue;  // a problem no project holds
    ASSERT_EQ(there.exit_status, 0) << there.console;
    const auto back =
        run_in_folder(converted.path(), SETTLE_EXE, {"convert", "project.toml", problem});
    ASSERT_EQ(back.exit_status, 0) << back.console;
    fs::copy_file(original.path() / "names.dat", converted.path() / "names.dat");
    ASSERT_EQ(run_in_folder(converted.path(), SETTLE_EXE).exit_status, 0);
    for (const auto& entry : fs::directory_iterator(original.path())) {
      const std::string name = entry.path().filename().string();
      if (name.ends_with(".rpt") || name.ends_with(".aux") || name.ends_with(".trc")) {
        EXPECT_TRUE(read_file(entry.path()) == read_file(converted.path() / name)) << name;
      }
    }
    ++compared;
  }
  EXPECT_GE(compared, 3);
}

// Each archived example ships beside its converted project, which is what
// settle convert writes from it today.
TEST(ProjectDriver, TheExamplesConvertedProjectsAreCurrent) {
  for (const char* example : {"sample/sample", "si_units/raft", "large/large"}) {
    SCOPED_TRACE(example);
    const fs::path stem = fs::path(SETTLE_EXAMPLES) / example;
    TempFolder folder;
    fs::copy_file(stem.string() + ".dat", folder.path() / (stem.filename().string() + ".dat"));
    const auto run = run_in_folder(
        folder.path(), SETTLE_EXE,
        {"convert", stem.filename().string() + ".dat", stem.filename().string() + ".toml"});
    ASSERT_EQ(run.exit_status, 0) << run.console;
    EXPECT_TRUE(read_file(folder.path() / (stem.filename().string() + ".toml")) ==
                read_file(stem.string() + ".toml"));
  }
}
}  // namespace
