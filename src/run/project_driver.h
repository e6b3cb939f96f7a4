// settle's commands on site projects: a project's run, its check, and the
// conversion between the archived problem file and the project file.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "site/diagnostic.h"

namespace run {

// The results file and the report of a project file's run, named after it:
// PROJECT.results.json and PROJECT.report.txt beside PROJECT.toml (.json).
std::string results_name(const std::string& project_file);
std::string report_name(const std::string& project_file);

// Runs the project file `file`: reads and checks it, analyses it and writes
// its results file and report. Returns 0, or 3 when the project's data stop
// the run (every error on `console`, and nothing written).
int run_project(std::ostream& console, const std::string& file);

// The study file of a project file: PROJECT.study.json beside it.
std::string study_name(const std::string& project_file);

// `settle study PROJECT.toml`: runs the samples of the project's [study] on
// `threads` threads (when 0, SETTLE_THREADS or one per core) and writes PROJECT.study.json.
// Returns 0, or 3 when the project's data or a sample's stop the study.
int run_study(std::ostream& console, const std::string& file, unsigned threads = 0);

// Checks and analyses the project file `file` as a run does, writing nothing;
// returns the run's exit status.
int check_project_file(std::ostream& console, const std::string& file);

// `settle convert IN OUT`: an archived problem file (.dat or any other name)
// to a project file (.toml or .json), a project file back to an archived
// one, or a project file to the other form. Returns 0, 3 when the input's data
// cannot be converted (the key the archived file cannot hold named), or 2
// when the names give no conversion.
int convert(std::ostream& console, const std::string& in, const std::string& out);

// "PROGRAM: error: FILE, line N: PATH: MESSAGE" (or "warning:"), the line
// and the path left out where the diagnostic has none.
void print_diagnostic(std::ostream& console, std::string_view program, const std::string& file,
                      const site::Diagnostic& d);

// True when `name` is a project file's by its extension.
bool is_project_file(std::string_view name);

}  // namespace run
