// The import of AGS4 oedometer results, step by step: read the project file's
// tree (or start one), read the AGS4 file's curves, add them as soils, write.
#include "run/ags_import.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string_view>

#include "ags4/consolidation_import.h"
#include "ags4/import_messages.h"
#include "project/json_form.h"
#include "project/project_file.h"
#include "project/toml_form.h"
#include "run/file_set.h"
#include "run/output_commit.h"
#include "run/program_exit.h"
#include "run/project_analysis.h"

namespace run {
namespace {

constexpr std::string_view kProgram = "settle";

// A ksf is 47.880259 kPa (1000 lbf over a square foot); a square foot is
// 0.09290304 m2.
constexpr double kKpaPerKsf = 47.880258980335840;
constexpr double kSquareMetresPerSquareFoot = 0.09290304;

// "settle: error: FILE, line N: TEXT" from the reader's "line N: TEXT".
void print_finding(std::ostream& console, std::string_view severity, const std::string& file,
                   const std::string& text) {
  console << kProgram << ": " << severity << ": " << file;
  if (text.starts_with("line ")) {
    console << ", " << text << '\n';
  } else {
    console << ": " << text << '\n';
  }
}

void print_diagnostic(std::ostream& console, const std::string& file, const site::Diagnostic& d) {
  console << kProgram << ": error: " << file;
  if (d.line > 0) console << ", line " << d.line;
  console << ": ";
  if (!d.path.empty()) console << d.path << ": ";
  console << d.message << '\n';
}

ags4::TimeUnit ags_time_unit(const site::Tree& tree) {
  const auto unit = tree.find("time_unit");
  if (unit != tree.end() && unit->is_string()) {
    if (*unit == "month") return ags4::TimeUnit::kMonth;
    if (*unit == "year") return ags4::TimeUnit::kYear;
  }
  return ags4::TimeUnit::kDay;
}

// The laboratory's void ratios have three or four digits; ten significant
// digits keep every one of them and leave out the noise of the division.
double readable(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.10g", value);
  return std::strtod(text, nullptr);
}

bool in_us_units(const site::Tree& tree) {
  const auto units = tree.find("units");
  return units != tree.end() && units->is_string() && *units == "US";
}

// The project's tree as its file holds it, or a new one.
std::optional<site::Tree> project_tree(std::ostream& console, const std::string& file,
                                       project::Form form, const std::string& ags_file) {
  if (!std::filesystem::exists(file)) {
    site::Tree tree = site::Tree::object();
    tree["schema_version"] = 1;
    tree["title"] = "Soils imported from " + std::filesystem::path(ags_file).filename().string();
    tree["units"] = "SI";
    tree["time_unit"] = "day";
    return tree;
  }
  ProjectText text = read_project_file(file);
  if (text.refusal) {
    print_diagnostic(console, file, *text.refusal);
    return std::nullopt;
  }
  project::FormReading read =
      form == project::Form::kToml ? project::read_toml(text.text) : project::read_json(text.text);
  if (read.error) {
    print_diagnostic(console, file, *read.error);
    return std::nullopt;
  }
  if (!read.tree.is_object()) {
    console << kProgram << ": error: " << file << ": is not a table of keys\n";
    return std::nullopt;
  }
  return std::move(read.tree);
}

}  // namespace

int import_ags(std::ostream& console, const std::string& ags_file,
               const std::string& project_file) {
  const std::optional<project::Form> form = project::form_of(project_file);
  if (!form) {
    console << kProgram << ": import-ags writes a project file (.toml or .json), not "
            << project_file << '\n';
    return kWrongCommandLine;
  }
  const bool new_project = !std::filesystem::exists(project_file);
  std::optional<site::Tree> tree = project_tree(console, project_file, *form, ags_file);
  if (!tree) return kStoppedOnData;

  InputFile input(kInputUnit, ags_file);
  const std::string label = std::filesystem::path(ags_file).filename().string();
  const ags4::ConsolidationImport read =
      ags4::import_consolidation_curves(input.stream(), label, ags_time_unit(*tree));
  for (const ags4::Warning& warning : read.warnings)
    print_finding(console, "warning", ags_file, ags4::warning_text(warning));
  if (read.error) {
    print_finding(console, "error", ags_file, ags4::error_text(*read.error));
    console << kProgram << ": the AGS4 file's data stop the import; nothing is written\n";
    return kStoppedOnData;
  }

  site::Tree& soils = (*tree)["soils"];
  if (!soils.is_object()) soils = site::Tree::object();
  const bool us = in_us_units(*tree);
  for (const ags4::SpecimenCurve& curve : read.curves) {
    if (soils.contains(curve.name)) {
      console << kProgram << ": error: " << project_file << ": soils." << curve.name
              << ": the project has a soil of this name already; nothing is written\n";
      return kStoppedOnData;
    }
    site::Tree soil = site::Tree::object();
    soil["model"] = "curve";
    site::Tree strain = site::Tree::array();
    for (const double e : curve.strain) strain.push_back(readable(e));
    soil["strain"] = strain;
    site::Tree pressure = site::Tree::array();
    for (const double p : curve.pressure) pressure.push_back(readable(us ? p / kKpaPerKsf : p));
    soil["pressure"] = pressure;
    if (curve.cv) soil["cv"] = readable(us ? *curve.cv / kSquareMetresPerSquareFoot : *curve.cv);
    soil["source"] = curve.source;
    soils[curve.name] = std::move(soil);
  }

  const std::string text =
      *form == project::Form::kToml ? project::write_toml(*tree) : project::write_json(*tree);
  StagedOutput output(project_file);
  if (output.open() != 0) {
    console << kProgram << ": cannot write " << full_path(project_file) << '\n';
    return kFatalError;
  }
  output.stream() << text;
  if (!output.finish() || !output.commit()) {
    console << kProgram << ": cannot write " << full_path(project_file) << '\n';
    return kFatalError;
  }
  console << kProgram << ": " << read.curves.size()
          << (read.curves.size() == 1 ? " curve soil" : " curve soils") << " from " << ags_file
          << (us ? " (converted to ksf)" : "") << " written to " << project_file << '\n';
  if (new_project)
    console << kProgram << ": " << project_file
            << " holds the soils only: add its layers, points and loads, then settle --check "
            << project_file << '\n';
  return kNormalEnd;
}

}  // namespace run
