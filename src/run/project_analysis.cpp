// The sequence of a project's run, step by step.
#include "run/project_analysis.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "analysis/classic_analysis.h"
#include "analysis/classic_site_results.h"
#include "analysis/exact_analysis.h"
#include "analysis/time_analysis.h"
#include "layout/fatal_error.h"
#include "run/file_set.h"
#include "site/value_tree.h"

namespace run {
namespace {

// The first value of the results that is not a finite number: nothing is
// written from results that mean nothing.
std::optional<site::Diagnostic> find_result_fault(const site::Project& project,
                                                  const analysis::SiteResults& results) {
  for (std::size_t j = 0; j < results.points.size(); ++j) {
    const analysis::ResultPoint& point = results.points[j];
    for (std::size_t s = 0; s < point.settlement_of.size(); ++s) {
      if (std::isfinite(point.settlement_of[s]) && std::isfinite(point.stress_increase[s]) &&
          std::isfinite(point.strain[s]))
        continue;
      return site::Diagnostic{
          site::Severity::kError, site::indexed_path("points", j),
          "point " + project.points[j].name.value_or(std::to_string(j + 1)) + ", sublayer " +
              std::to_string(s + 1) +
              ": the stress increase, strain or settlement is not a finite number",
          0};
    }
    if (!std::isfinite(point.settlement))
      return site::Diagnostic{site::Severity::kError, site::indexed_path("points", j),
                              "the total settlement is not a finite number", 0};
  }
  return std::nullopt;
}

// The first value of the time results that is not a finite number.
std::optional<site::Diagnostic> find_time_fault(const site::Project& project,
                                                const analysis::SiteResults& results) {
  for (std::size_t j = 0; j < results.points.size(); ++j) {
    const std::optional<consolidation::PointHistory>& history = results.points[j].time;
    if (!history) continue;
    bool finite = std::isfinite(history->final_primary);
    for (const consolidation::TimeState& state : history->states) {
      finite = finite && std::isfinite(state.total) && std::isfinite(state.primary) &&
               std::isfinite(state.secondary);
      for (const double u : state.excess_pore_pressure) finite = finite && std::isfinite(u);
    }
    if (finite) continue;
    return site::Diagnostic{site::Severity::kError, site::indexed_path("points", j),
                            "point " + project.points[j].name.value_or(std::to_string(j + 1)) +
                                ": the settlement in time is not a finite number",
                            0};
  }
  return std::nullopt;
}

}  // namespace

ProjectAnalysis analyse_project(project::ProjectReading reading) {
  ProjectAnalysis outcome;
  outcome.project = std::move(reading.project);
  outcome.diagnostics = std::move(reading.diagnostics);
  if (site::has_errors(outcome.diagnostics)) return outcome;
  const site::Project& project = outcome.project;

  analysis::SiteResults results;
  std::optional<analysis::TimeSetup> time;  // with a [consolidation] table
  std::vector<analysis::LoadIncreases> increases;
  if (project.analysis.method == site::Method::kClassic) {
    outcome.classic = analysis::prepare_classic(project).profile;
    results = analysis::classic_site_results(project, *outcome.classic,
                                             *analysis::analyse(*outcome.classic));
  } else {
    analysis::ExactPreparation prepared = analysis::prepare_exact(project);
    outcome.exact = std::move(prepared.profile);
    if (site::has_errors(prepared.diagnostics)) {
      outcome.diagnostics.insert(outcome.diagnostics.end(), prepared.diagnostics.begin(),
                                 prepared.diagnostics.end());
      return outcome;
    }
    if (project.consolidation) time = analysis::prepare_time(project, *outcome.exact);
    analysis::ExactAnalysis analysed =
        analysis::analyse_exact(project, *outcome.exact, time ? time->split() : nullptr);
    if (analysed.stop) {
      outcome.diagnostics.push_back(*analysed.stop);
      return outcome;
    }
    results = std::move(analysed.results);
    increases = std::move(analysed.increases);
  }
  if (auto fault = find_result_fault(project, results)) {
    outcome.diagnostics.push_back(*fault);
    return outcome;
  }
  // The settlement in time, from the static results (the classic method
  // takes no [consolidation] table: its checks refuse one).
  if (time) {
    if (auto fault = analysis::analyse_time(project, *outcome.exact, *time, increases, results)) {
      outcome.diagnostics.push_back(*fault);
      return outcome;
    }
    if (auto fault = find_time_fault(project, results)) {
      outcome.diagnostics.push_back(*fault);
      return outcome;
    }
  }
  outcome.diagnostics.insert(outcome.diagnostics.end(), results.warnings.begin(),
                             results.warnings.end());
  outcome.results = std::move(results);
  return outcome;
}

ProjectAnalysis analyse_project_text(std::string_view text, project::Form form, bool analyse) {
  project::ProjectReading reading = project::read_project_text(text, form);
  if (!analyse) {
    ProjectAnalysis outcome;
    outcome.project = std::move(reading.project);
    outcome.diagnostics = std::move(reading.diagnostics);
    return outcome;
  }
  return analyse_project(std::move(reading));
}

ProjectText read_project_file(const std::string& name) {
  ProjectText out;
  std::error_code error;
  const auto size = std::filesystem::file_size(name, error);
  if (!error && size > project::kMaxProjectBytes) {
    out.refusal =
        site::Diagnostic{site::Severity::kError, "",
                         "the file holds " + std::to_string(size) + " bytes, more than the " +
                             std::to_string(project::kMaxProjectBytes) +
                             " a project is read from: a project of that size is not analysed",
                         0};
    return out;
  }
  InputFile input(kInputUnit, name);
  std::ostringstream text;
  text << input.stream().rdbuf();
  if (input.stream().bad())
    layout::raise_fatal(layout::FatalKind::kReadError, kInputUnit, full_path(name));
  out.text = text.str();
  return out;
}

}  // namespace run
