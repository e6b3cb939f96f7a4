// The project file's two forms hold one model: every example project read in
// one form, written in the other and read again is the same project, and a
// file settle writes reads back to itself. Each diagnostic has its key's line.
#include "project/project_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "site/value_tree.h"
#include "support/run_in_folder.h"

namespace {

namespace fs = std::filesystem;

TEST(ProjectFile, EveryExampleRoundTripsThroughBothFormsToTheSameProject) {
  for (const char* example :
       {"site/site.toml", "sample/sample.toml", "si_units/raft.toml", "large/large.toml"}) {
    SCOPED_TRACE(example);
    const std::string text = testing_support::read_file(fs::path(SETTLE_EXAMPLES) / example);
    const project::ProjectReading toml = project::read_project_text(text, project::Form::kToml);
    ASSERT_FALSE(site::has_errors(toml.diagnostics));
    const std::string json = project::write_project_text(toml.project, project::Form::kJson);
    const project::ProjectReading back = project::read_project_text(json, project::Form::kJson);
    ASSERT_FALSE(site::has_errors(back.diagnostics));
    EXPECT_EQ(site::project_to_tree(back.project).dump(),
              site::project_to_tree(toml.project).dump());
    const std::string written = project::write_project_text(back.project, project::Form::kToml);
    const project::ProjectReading again = project::read_project_text(written, project::Form::kToml);
    EXPECT_EQ(project::write_project_text(again.project, project::Form::kToml), written);
  }
}

TEST(ProjectFile, DiagnosticsCarryTheLineOfTheirKeyInEitherForm) {
  const std::string toml = R"(schema_version = 1
units = "SI"

[soils.clay]
model = "slope"
slope = 2.0

[[layers]]
bottom = 4.0
soil = "clay"
unit_weight = 18.0

[[layers]]
bottom = 3.0
soil = "clay"
unit_weight = 18.0
)";
  const project::ProjectReading read = project::read_project_text(toml, project::Form::kToml);
  ASSERT_EQ(read.diagnostics.size(), 1u);
  EXPECT_EQ(read.diagnostics[0].path, "layers[2].bottom");
  EXPECT_EQ(read.diagnostics[0].line, 14);

  const std::string json = R"({
  "schema_version": 1,
  "units": "SI",
  "soils": {"clay": {"model": "slope", "slope": 2.0}},
  "layers": [
    {"bottom": 4.0, "soil": "clay", "unit_weight": 18.0},
    {"bottom": 3.0, "soil": "clay", "unit_weight": 18.0}
  ]
})";
  const project::ProjectReading from_json = project::read_project_text(json, project::Form::kJson);
  ASSERT_EQ(from_json.diagnostics.size(), 1u);
  EXPECT_EQ(from_json.diagnostics[0].path, "layers[2].bottom");
  EXPECT_EQ(from_json.diagnostics[0].line, 7);
}

}  // namespace
