// libFuzzer target: reads a fuzzed project file, TOML or JSON by its first
// byte, checks it, analyses it when it is small enough to analyse quickly,
// and writes its results file and report; a project that reads without
// errors is written again and must read back to the same project file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>

#include "layout/record_writer.h"
#include "project/project_file.h"
#include "report/project_report.h"
#include "report/results_json.h"
#include "run/project_analysis.h"
#include "site/diagnostic.h"
#include "site/project_checks.h"

namespace {

// Longer inputs add nothing the keys and their values cannot reach.
constexpr std::size_t kMaxInputSize = 16384;

// The stress evaluations of an analysis, points x loads x stress depths,
// above which a fuzzed project is checked but not analysed: under the
// sanitizers a project past it would run into the timeout without a fault.
constexpr double kWorkBudget = 2.0e6;

double work_of(const site::Project& project) {
  double sublayers = 0.0;
  double top = 0.0;
  for (const site::Layer& layer : project.layers) {
    sublayers += static_cast<double>(
        site::exact_sublayer_count(layer.bottom - top, project.analysis.max_sublayer));
    top = layer.bottom;
  }
  return 3.0 * sublayers * static_cast<double>(project.points.size()) *
         static_cast<double>(project.loads.size() + 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1 || size > kMaxInputSize) return -1;
  const project::Form form = data[0] % 2 == 0 ? project::Form::kToml : project::Form::kJson;
  const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);

  const run::ProjectAnalysis checked = run::analyse_project_text(text, form, false);
  if (site::has_errors(checked.diagnostics)) return 0;

  // What was read without errors is written again and reads back the same.
  const std::string written = project::write_project_text(checked.project, form);
  const project::ProjectReading again = project::read_project_text(written, form);
  if (site::has_errors(again.diagnostics) ||
      project::write_project_text(again.project, form) != written)
    std::abort();

  if (work_of(checked.project) > kWorkBudget) return 0;
  const run::ProjectAnalysis analysed = run::analyse_project_text(text, form);
  if (analysed.stopped()) return 0;
  std::ostringstream results, report;
  report::write_results_json(results, analysed.project, *analysed.results, analysed.diagnostics);
  layout::RecordWriter writer(report, "\n", 6, "report");
  report::write_project_report(writer, analysed.project, *analysed.results, analysed.diagnostics,
                               "project.toml");
  return 0;
}
