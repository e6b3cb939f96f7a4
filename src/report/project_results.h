// The project report's result tables: the initial stresses of the profile's
// sublayers, the settlement of every point and of its counted sublayers, and
// the settlement in time.
#pragma once

#include "analysis/site_results.h"
#include "layout/record_writer.h"
#include "report/quantity_text.h"
#include "report/text_table.h"
#include "site/project.h"

namespace report {

// Every sublayer of the profile: its layer, top, bottom, the initial total,
// pore and effective stresses at its centre and the water table's change.
void write_initial_stresses(layout::RecordWriter& out, TableTitles& titles,
                            const site::Project& project, const analysis::SiteResults& results,
                            const QuantityText& q);

// The total settlement of every point, then one table per point of its
// counted sublayers.
void write_point_results(layout::RecordWriter& out, TableTitles& titles,
                         const site::Project& project, const analysis::SiteResults& results,
                         const QuantityText& q);

// For each point with a time history, its settlement at the output times and
// the times to 50, 90 and 95 % of its primary settlement; nothing without.
void write_time_results(layout::RecordWriter& out, TableTitles& titles,
                        const site::Project& project, const analysis::SiteResults& results,
                        const QuantityText& q);

}  // namespace report
