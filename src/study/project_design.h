// A site project's study as a sampling design: each parameter's target found
// among the project's numbers, its distribution completed from the project
// (the mean defaults to the target's value), and every fault of the design
// reported as a diagnostic naming the key of the study table.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "site/diagnostic.h"
#include "site/project.h"
#include "study/design.h"

namespace study {

// Where a target's number lives in a project, found once from its key path
// and then set in each sample's copy without reading the key again.
struct TargetPlace {
  enum class Table { kSoil, kLayer, kLoad, kGroundwater };
  Table table = Table::kSoil;
  std::size_t position = 0;  // of the soil, layer or load, from 0
  std::string key;           // the field of the record
};

// The place of a target, or the reason it names no number of the project.
// Targets: "soils.NAME.KEY", "layers[N].KEY", "loads[N].KEY" (positions from
// 1) and "groundwater.KEY", KEY any number the record holds (a field left
// out that defaults to a number counts; an absent optional value does not).
struct TargetLookup {
  std::optional<TargetPlace> place;
  std::string problem;  // when no place: what is wrong with the target
};
TargetLookup find_target(const site::Project& project, const std::string& target);

// The number at `place` in `project`. REQUIRES: place came from find_target
// of a project with the same soils, layers and loads.
double& number_at(site::Project& project, const TargetPlace& place);
double number_at(const site::Project& project, const TargetPlace& place);

struct ProjectDesign {
  Design design;
  std::vector<TargetPlace> places;  // one per parameter, when no error
  std::vector<site::Diagnostic> diagnostics;
};

// The design of the project's study (REQUIRES: project.study), with the
// faults of its targets, its distributions' figures, its correlations and its
// limits, each naming its key ("study.parameters[2].sd").
ProjectDesign project_design(const site::Project& project);

}  // namespace study
