// The chance that a study's settlement exceeds its limit at each node of the
// page's grid: every sample of the first few regenerated from the seed and
// its index as the study's run does, its nodes analysed by the project's
// method, the exceedances counted; and its drawing over the plan.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "analysis/settlement_grid.h"
#include "plot/xml_writer.h"
#include "site/project.h"
#include "study/study_run.h"

namespace plot {

struct ExceedanceMap {
  analysis::PlanGrid grid;
  std::vector<float> probability;  // row by row, as the grid's totals
  std::int64_t samples = 0;        // the samples counted
  double limit = 0.0;              // settlement unit
};

// The share of samples 0 .. samples - 1 whose settlement at each node
// exceeds `limit`, the nodes started at `start_layer`. A sample that cannot
// be analysed stops the study before the page is drawn, so none is met here.
// `progress` is told (samples done, samples) after each sample.
// REQUIRES: samples >= 1 and no more than the study's.
ExceedanceMap exceedance_map(const study::StudySetup& setup, const analysis::PlanGrid& grid,
                             std::int32_t start_layer, std::int64_t samples, double limit,
                             const std::function<void(std::int64_t, std::int64_t)>& progress = {});

// The map as an SVG drawing: each node's cell shaded by its probability in
// bands of 0.1, the loads' outlines and the points over it, a legend beside.
void write_exceedance_map(XmlWriter& out, const site::Project& project, const ExceedanceMap& map);

}  // namespace plot
