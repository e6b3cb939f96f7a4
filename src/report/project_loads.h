// The project report's load tables: one table per load kind present, each
// with its kind's own fields, the loads numbered by their place in the list.
#pragma once

#include <string_view>

#include "layout/record_writer.h"
#include "loads/load.h"
#include "report/quantity_text.h"
#include "report/text_table.h"
#include "site/project.h"

namespace report {

// The title of the table that lists loads of the kind of `load`, distinct
// for every kind ("LOADS - RECTANGLES").
std::string_view load_table_title(const loads::Load& load);

// The tables of the project's loads, the kinds in the order their first
// loads come; a line saying so when there are none.
void write_load_tables(layout::RecordWriter& out, TableTitles& titles, const site::Project& project,
                       const QuantityText& q);

}  // namespace report
