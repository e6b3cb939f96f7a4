// The project report's input tables: the soils, the curves generated from
// the soils' parameters, the layers, the groundwater and the points.
#pragma once

#include <cstddef>

#include "analysis/site_results.h"
#include "layout/record_writer.h"
#include "report/quantity_text.h"
#include "report/text_table.h"
#include "site/project.h"
#include "soils/soil.h"

namespace report {

// The soil of the layer at `layer` (from 0); null where none has its name.
const soils::Soil* soil_of_layer(const site::Project& project, std::size_t layer);

// Each soil with its model's parameters and what else it gives.
void write_soil_table(layout::RecordWriter& out, TableTitles& titles, const site::Project& project,
                      const QuantityText& q);

// For each layer of an index or modulus soil, the strain its soil gives from
// the layer's mean initial effective stress to a few higher stresses; nothing
// when no layer has such a soil.
void write_generated_curves(layout::RecordWriter& out, TableTitles& titles,
                            const site::Project& project, const analysis::SiteResults& results,
                            const QuantityText& q);

// The layers top down, and the groundwater.
void write_layer_tables(layout::RecordWriter& out, TableTitles& titles,
                        const site::Project& project, const QuantityText& q);

void write_point_table(layout::RecordWriter& out, TableTitles& titles, const site::Project& project,
                       const QuantityText& q);

// The time-rate analysis' output times and boundaries, and the drains; nothing
// without a [consolidation] table.
void write_consolidation_table(layout::RecordWriter& out, TableTitles& titles,
                               const site::Project& project, const QuantityText& q);

}  // namespace report
