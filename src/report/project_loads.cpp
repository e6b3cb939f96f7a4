// The load tables of the project report, one kind at a time.
#include "report/project_loads.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace report {
namespace {

using loads::Overloaded;

constexpr std::size_t kKinds = std::variant_size_v<loads::Load>;

// A kind's table, its notes, and a second table of details (a polygon's
// vertices).
struct KindTable {
  std::string_view title;
  TextTable table;
  std::vector<std::string> notes;
  std::optional<TextTable> details;
  std::string details_title;
};

// Builds the table of each kind as its first load comes, and the rows.
class LoadTables {
 public:
  LoadTables(const site::Project& project, const QuantityText& q) : project_(project), q_(q) {
    for (const loads::Load& load : project.loads) {
      const loads::Schedule schedule =
          std::visit([](const auto& kind) { return kind.schedule; }, load);
      if (schedule.start != 0.0 || schedule.ramp != 0.0) scheduled_[load.index()] = true;
      if (const auto* rectangle = std::get_if<loads::Rectangle>(&load))
        rectangle_slopes_ = rectangle_slopes_ || rectangle->slope.has_value();
    }
  }

  void add(const loads::Load& load, std::size_t position);
  void write(layout::RecordWriter& out, TableTitles& titles) const;

 private:
  // The kind's table with the number and name first, `fields` next, and the
  // schedule's columns last where a load of the kind has a schedule.
  KindTable& table_of(const loads::Load& load, std::vector<Column> fields,
                      std::vector<std::string> notes);
  // The row of the load at `position`: its number, its name, `cells` and
  // its schedule's where the kind's table has them.
  void add_row(KindTable& table, const loads::Load& load, std::size_t position,
               const std::optional<std::string>& name, std::vector<std::string> cells,
               const loads::Schedule& schedule) const;

  const site::Project& project_;
  const QuantityText& q_;
  std::array<bool, kKinds> scheduled_{};
  bool rectangle_slopes_ = false;
  std::array<std::optional<KindTable>, kKinds> tables_;
  std::vector<std::size_t> order_;  // the kinds in the order their first loads come
};

KindTable& LoadTables::table_of(const loads::Load& load, std::vector<Column> fields,
                                std::vector<std::string> notes) {
  std::optional<KindTable>& table = tables_[load.index()];
  if (table) return *table;
  std::vector<Column> columns = {{{"LOAD", "NO."}}, {{"NAME"}, Align::kLeft}};
  columns.insert(columns.end(), fields.begin(), fields.end());
  if (scheduled_[load.index()]) {
    const std::string time(q_.time_unit());
    columns.push_back({{"START", time}});
    columns.push_back({{"RAMP", time}});
    notes.push_back("START, RAMP: THE LOAD RISES LINEARLY FROM ITS START OVER ITS RAMP");
  }
  table = KindTable{
      load_table_title(load), TextTable(std::move(columns)), std::move(notes), std::nullopt, {}};
  order_.push_back(load.index());
  return *table;
}

void LoadTables::add_row(KindTable& table, const loads::Load& load, std::size_t position,
                         const std::optional<std::string>& name, std::vector<std::string> cells,
                         const loads::Schedule& schedule) const {
  cells.insert(cells.begin(), {std::to_string(position + 1), name.value_or("")});
  if (scheduled_[load.index()]) {
    cells.push_back(q_.time(schedule.start));
    cells.push_back(q_.time(schedule.ramp));
  }
  table.table.add_row(std::move(cells));
}

void LoadTables::add(const loads::Load& load, std::size_t position) {
  const QuantityText& q = q_;
  const std::string length(q.length_unit());
  const std::string pressure(q.pressure_unit());
  std::visit(
      Overloaded{
          [&](const loads::Rectangle& r) {
            std::vector<Column> fields = {{{"CENTRE", "X", length}},
                                          {{"CENTRE", "Y", length}},
                                          {{"X", "LENGTH", length}},
                                          {{"Y", "LENGTH", length}},
                                          {{"ANGLE*", "DEG"}}};
            if (rectangle_slopes_) fields.push_back({{"SLOPE*", "TAN"}});
            fields.push_back({{"PRESSURE", pressure}});
            fields.push_back({{"DEPTH", length}});
            std::vector<std::string> notes = {
                "* ANGLE: THE X SIDE TURNED COUNTER-CLOCKWISE FROM THE X AXIS"};
            if (rectangle_slopes_)
              notes.push_back("  SLOPE: THE TANGENT OF THE X SIDE, WHERE GIVEN IN PLACE OF ANGLE");
            KindTable& table = table_of(load, std::move(fields), std::move(notes));
            std::vector<std::string> cells = {q.length(r.x), q.length(r.y), q.length(r.x_length),
                                              q.length(r.y_length),
                                              r.slope ? std::string() : q.angle(r.angle)};
            if (rectangle_slopes_) cells.push_back(r.slope ? fixed_text(*r.slope, 4) : "");
            cells.push_back(q.pressure(r.pressure));
            cells.push_back(q.length(r.depth));
            add_row(table, load, position, r.name, std::move(cells), r.schedule);
          },
          [&](const loads::Circle& c) {
            KindTable& table = table_of(load,
                                        {{{"CENTRE", "X", length}},
                                         {{"CENTRE", "Y", length}},
                                         {{"DIAMETER", length}},
                                         {{"PRESSURE", pressure}},
                                         {{"DEPTH", length}}},
                                        {});
            add_row(table, load, position, c.name,
                    {q.length(c.x), q.length(c.y), q.length(c.diameter), q.pressure(c.pressure),
                     q.length(c.depth)},
                    c.schedule);
          },
          [&](const loads::SpreadArea& s) {
            KindTable& table =
                table_of(load,
                         {{{"CENTRE", "X", length}},
                          {{"CENTRE", "Y", length}},
                          {{"X", "LENGTH", length}},
                          {{"Y", "LENGTH", length}},
                          {{"TOTAL", "LOAD", std::string(q.force_unit())}},
                          {{"DEPTH", length}},
                          {{"UPPER", "DEPTH", length}},
                          {{"LOWER", "DEPTH", length}},
                          {{"REFERENCE"}, Align::kLeft},
                          {{"SPREADS", "FROM*", length}}},
                         {"* THE REFERENCE LEVEL, FROM WHICH THE LOAD SPREADS AT 2 (VERTICAL) TO 1",
                          "  (HORIZONTAL); NOTHING ABOVE THE LOAD'S DEPTH IS LOADED"});
            add_row(table, load, position, s.name,
                    {q.length(s.x), q.length(s.y), q.length(s.x_length), q.length(s.y_length),
                     q.force(s.load), q.length(s.depth), q.length(s.upper_depth.value_or(s.depth)),
                     s.lower_depth ? q.length(*s.lower_depth) : std::string(),
                     upper_text(site::name_of(loads::kSpreadReferenceNames, s.reference)),
                     q.length(loads::reference_level(s))},
                    s.schedule);
          },
          [&](const loads::Polygon& p) {
            KindTable& table =
                table_of(load, {{{"PRESSURE", pressure}}, {{"DEPTH", length}}, {{"VERTICES"}}}, {});
            add_row(table, load, position, p.name,
                    {q.pressure(p.pressure), q.length(p.depth), std::to_string(p.vertices.size())},
                    p.schedule);
            if (!table.details) {
              table.details.emplace(std::vector<Column>{
                  {{"LOAD", "NO."}}, {{"VERTEX"}}, {{"X", length}}, {{"Y", length}}});
              table.details_title = "POLYGON VERTICES, IN THE ORDER GIVEN";
            }
            for (std::size_t v = 0; v < p.vertices.size(); ++v)
              table.details->add_row({v == 0 ? std::to_string(position + 1) : std::string(),
                                      std::to_string(v + 1), q.length(p.vertices[v].x),
                                      q.length(p.vertices[v].y)});
          },
          [&](const loads::Strip& s) {
            KindTable& table = table_of(
                load,
                {{{"ON CENTRE", "LINE X", length}},
                 {{"ON CENTRE", "LINE Y", length}},
                 {{"ANGLE*", "DEG"}},
                 {{"WIDTH", length}},
                 {{"PRESSURE", pressure}},
                 {{"DEPTH", length}}},
                {"* THE CENTRE LINE TURNED COUNTER-CLOCKWISE FROM THE X AXIS; THE STRIP RUNS",
                 "  WITHOUT END ALONG IT"});
            add_row(table, load, position, s.name,
                    {q.length(s.x), q.length(s.y), q.angle(s.angle), q.length(s.width),
                     q.pressure(s.pressure), q.length(s.depth)},
                    s.schedule);
          },
          [&](const loads::Embankment& e) {
            const double factor = project_.units == site::Units::kUs ? loads::kUsFillPressureFactor
                                                                     : loads::kSiFillPressureFactor;
            KindTable& table =
                table_of(load,
                         {{{"CREST LINE", "X1", length}},
                          {{"FROM", "Y1", length}},
                          {{"CREST LINE", "X2", length}},
                          {{"TO", "Y2", length}},
                          {{"CREST", "WIDTH", length}},
                          {{"HEIGHT", length}},
                          {{"SIDE", "SLOPE*", "H/V"}},
                          {{"FILL UNIT", "WEIGHT", std::string(q.unit_weight_unit())}},
                          {{"CREST", "PRESSURE", pressure}},
                          {{"DEPTH", length}}},
                         {"* HORIZONTAL PER VERTICAL; THE CREST PRESSURE IS THE FILL'S UNIT WEIGHT",
                          "  TIMES ITS HEIGHT"});
            add_row(table, load, position, e.name,
                    {q.length(e.x1), q.length(e.y1), q.length(e.x2), q.length(e.y2),
                     q.length(e.crest_width), q.length(e.height), fixed_text(e.side_slope, 2),
                     q.unit_weight(e.unit_weight), q.pressure(e.unit_weight * e.height * factor),
                     q.length(e.depth)},
                    e.schedule);
          },
      },
      load);
}

void LoadTables::write(layout::RecordWriter& out, TableTitles& titles) const {
  for (const std::size_t kind : order_) {
    const KindTable& table = *tables_[kind];
    titles.write(out, table.title);
    table.table.write(out);
    if (!table.notes.empty()) out.put("");
    for (const std::string& note : table.notes) put_note(out, note);
    if (table.details) {
      out.put("");
      put_note(out, table.details_title);
      out.put("");
      table.details->write(out);
    }
  }
}

}  // namespace

std::string_view load_table_title(const loads::Load& load) {
  return std::visit(
      Overloaded{
          [](const loads::Rectangle&) { return std::string_view("LOADS - RECTANGLES"); },
          [](const loads::Circle&) { return std::string_view("LOADS - CIRCLES"); },
          [](const loads::SpreadArea&) { return std::string_view("LOADS - SPREAD AREAS (2:1)"); },
          [](const loads::Polygon&) { return std::string_view("LOADS - POLYGONS"); },
          [](const loads::Strip&) { return std::string_view("LOADS - STRIPS"); },
          [](const loads::Embankment&) { return std::string_view("LOADS - EMBANKMENTS"); },
      },
      load);
}

void write_load_tables(layout::RecordWriter& out, TableTitles& titles, const site::Project& project,
                       const QuantityText& q) {
  if (project.loads.empty()) {
    titles.write(out, "LOADS");
    put_note(out, "NO LOADS.");
    return;
  }
  LoadTables tables(project, q);
  for (std::size_t i = 0; i < project.loads.size(); ++i) tables.add(project.loads[i], i);
  tables.write(out, titles);
}

}  // namespace report
