// A soil profile built for a test: layers by their bottom depth, unit weight
// and curve.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>

#include "analysis/analysis_results.h"
#include "analysis/classic_profile.h"
#include "problem/problem_data.h"
#include "problem/project_conversion.h"

namespace testing_support {

struct LayerGiven {
  float bottom_depth;
  float unit_weight;
  std::int32_t curve_index;
};

// A problem with the given layers (thickness factor 1) in unit system `units`.
inline std::unique_ptr<problem::ProblemData> make_profile(
    std::initializer_list<LayerGiven> layers, std::int32_t units = problem::kUsGravitational) {
  auto problem = std::make_unique<problem::ProblemData>();
  problem::set_unit_system(*problem, units);
  for (const LayerGiven& given : layers) {
    const int i = ++problem->layer_count;
    problem::SoilLayer& layer = problem->layers[i];
    layer.layer_number = i;
    layer.bottom_depth = given.bottom_depth;
    layer.unit_weight = given.unit_weight;
    layer.curve_index = given.curve_index;
    layer.thickness_factor = 1.0f;
    problem->boundary_depths[i] = given.bottom_depth;
  }
  return problem;
}

// An archived problem with the project and the classic profile that every
// run of it forms.
struct ClassicProblem {
  std::unique_ptr<problem::ProblemData> problem;
  site::Project project;
  analysis::ClassicProfile profile;

  problem::ProblemData* operator->() const { return problem.get(); }
};

inline ClassicProblem classic_problem(std::unique_ptr<problem::ProblemData> problem) {
  ClassicProblem made{std::move(problem), {}, {}};
  made.project = problem::to_project(*made.problem).project;
  made.profile = analysis::prepare_classic(made.project).profile;
  return made;
}

// Results of zeros for `points` points on `sublayers` sublayers.
inline std::unique_ptr<analysis::AnalysisResults> zero_results(int points, int sublayers = 0) {
  auto results = std::make_unique<analysis::AnalysisResults>();
  results->stress_increase.resize(points, analysis::StressRow(2 * sublayers + 1));
  results->average_stress_increase.resize(points, analysis::SublayerRow(sublayers));
  results->sublayer_settlement.resize(points, analysis::SublayerRow(sublayers));
  results->total_settlement.resize(points);
  return results;
}

// The classic profile of `problem`, as every run of an archived file forms it.
inline analysis::ClassicProfile classic_profile_of(const problem::ProblemData& problem) {
  return analysis::prepare_classic(problem::to_project(problem).project).profile;
}

}  // namespace testing_support
