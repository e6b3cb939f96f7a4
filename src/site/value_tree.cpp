// The site model to a tree of values and back, record by record through each
// record's list of fields.
#include "site/value_tree.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <set>
#include <string_view>
#include <utility>
#include <variant>

namespace site {
namespace {

// What a key's value is, for a message: its text, cut when long.
std::string shown(const Tree& value) {
  std::string text = value.dump();
  constexpr std::size_t kLongest = 40;
  if (text.size() > kLongest) text = text.substr(0, kLongest - 3) + "...";
  return text;
}

std::string kind_of(const Tree& value) {
  if (value.is_object()) return "a table";
  if (value.is_array()) return "a list";
  if (value.is_string()) return "a text";
  if (value.is_boolean()) return "true or false";
  if (value.is_number_integer() || value.is_number_unsigned()) return "a whole number";
  if (value.is_number()) return "a number";
  return "nothing";
}

// ---- writing -------------------------------------------------------------

Tree node_of(double value) { return Tree(value); }
Tree node_of(int value) { return Tree(value); }
Tree node_of(std::uint64_t value) { return Tree(value); }
Tree node_of(bool value) { return Tree(value); }
Tree node_of(const std::string& value) { return Tree(value); }
Tree node_of(const std::vector<double>& values) {
  Tree list = Tree::array();
  for (double v : values) list.push_back(v);
  return list;
}
Tree node_of(const std::vector<loads::PlanPoint>& points) {
  Tree list = Tree::array();
  for (const loads::PlanPoint& p : points) list.push_back(Tree::array({p.x, p.y}));
  return list;
}

bool same(double a, double b) { return a == b; }
bool same(int a, int b) { return a == b; }
bool same(bool a, bool b) { return a == b; }

class TreeWriter {
 public:
  explicit TreeWriter(Tree& object) : object_(object) {}

  template <typename T>
  void field(std::string_view key, const T& value) {
    object_[std::string(key)] = node_of(value);
  }
  template <typename T>
  void field(std::string_view key, const T& value, const T& fallback) {
    if (!same(value, fallback)) field(key, value);
  }
  template <typename T>
  void field(std::string_view key, const std::optional<T>& value) {
    if (value) field(key, *value);
  }
  template <typename Enum, std::size_t N>
  void choice(std::string_view key, Enum value, const EnumNames<Enum, N>& names, Enum fallback) {
    if (value != fallback) object_[std::string(key)] = std::string(name_of(names, value));
  }

 private:
  Tree& object_;
};

template <typename Record>
Tree table_of(const Record& record) {
  Tree object = Tree::object();
  TreeWriter writer(object);
  visit_fields(writer, record);
  return object;
}

Tree load_tree(const loads::Load& load) {
  return std::visit(
      [](const auto& kind) {
        Tree object = Tree::object();
        object["kind"] = std::string(kind.kKind);
        object.update(table_of(kind));
        return object;
      },
      load);
}

Tree soil_tree(const soils::Soil& soil) {
  Tree object = Tree::object();
  std::visit(
      [&](const auto& model) {
        object["model"] = std::string(model.kModel);
        object.update(table_of(model));
      },
      soil.model);
  TreeWriter writer(object);
  visit_common_fields(writer, soil);
  return object;
}

template <typename Record>
Tree list_of(const std::vector<Record>& records, Tree (*to_tree)(const Record&)) {
  Tree list = Tree::array();
  for (const Record& record : records) list.push_back(to_tree(record));
  return list;
}

// ---- reading -------------------------------------------------------------

// The reading of one table: each field the record names is taken from it,
// and what is left over is an unknown key.
class TreeReader {
 public:
  TreeReader(const Tree& object, std::string path, const TreeLines& lines,
             std::vector<Diagnostic>& diagnostics)
      : object_(object), path_(std::move(path)), lines_(lines), diagnostics_(diagnostics) {}

  template <typename T>
  void field(std::string_view key, T& value) {
    known_.emplace_back(key);
    const Tree* node = find(key);
    if (node == nullptr) {
      fail(key, "is missing; " + expected(value) + " is needed here");
      return;
    }
    read(key, *node, value);
  }
  template <typename T>
  void field(std::string_view key, T& value, const T& fallback) {
    known_.emplace_back(key);
    const Tree* node = find(key);
    value = fallback;
    if (node != nullptr) read(key, *node, value);
  }
  template <typename T>
  void field(std::string_view key, std::optional<T>& value) {
    known_.emplace_back(key);
    const Tree* node = find(key);
    if (node == nullptr) return;
    T read_value{};
    if (read(key, *node, read_value)) value = std::move(read_value);
  }
  template <typename Enum, std::size_t N>
  void choice(std::string_view key, Enum& value, const EnumNames<Enum, N>& names, Enum fallback) {
    known_.emplace_back(key);
    value = fallback;
    const Tree* node = find(key);
    if (node == nullptr) return;
    std::string list;
    for (const auto& [candidate, name] : names) {
      if (node->is_string() && node->get<std::string>() == name) {
        value = candidate;
        return;
      }
      list += (list.empty() ? "\"" : ", \"") + std::string(name) + "\"";
    }
    fail(key, shown(*node) + " is not one of " + list);
  }

  // A key the caller reads itself ("kind", "model").
  void known(std::string_view key) { known_.emplace_back(key); }

  // Every key of the table that no field took is an error.
  void finish() {
    for (const auto& [key, value] : object_.items()) {
      if (std::find(known_.begin(), known_.end(), key) != known_.end()) continue;
      std::string message = "is not a key of this table";
      const std::string near = closest_key(key, known_);
      if (!near.empty()) message += "; did you mean \"" + near + "\"?";
      fail(key, message);
    }
  }

  std::string path_of(std::string_view key) const {
    return path_.empty() ? std::string(key) : path_ + "." + std::string(key);
  }

 private:
  const Tree* find(std::string_view key) const {
    const auto it = object_.find(std::string(key));
    return it == object_.end() ? nullptr : &*it;
  }

  void fail(std::string_view key, std::string message) {
    const std::string path = path_of(key);
    diagnostics_.push_back({Severity::kError, path, std::move(message), line_of(lines_, path)});
  }

  static std::string expected(const double&) { return "a number"; }
  static std::string expected(const int&) { return "a whole number"; }
  static std::string expected(const std::uint64_t&) { return "a whole number"; }
  static std::string expected(const bool&) { return "true or false"; }
  static std::string expected(const std::string&) { return "a text"; }
  static std::string expected(const std::vector<double>&) { return "a list of numbers"; }
  static std::string expected(const std::vector<loads::PlanPoint>&) {
    return "a list of [x, y] pairs";
  }

  bool wrong_type(std::string_view key, const Tree& node, const std::string& wanted) {
    fail(key, shown(node) + " is " + kind_of(node) + "; expected " + wanted);
    return false;
  }

  bool number(std::string_view key, const Tree& node, double& value) {
    if (!node.is_number()) return wrong_type(key, node, "a number");
    value = node.get<double>();
    if (!std::isfinite(value)) {
      fail(key, shown(node) + " is not a finite number");
      return false;
    }
    return true;
  }

  bool read(std::string_view key, const Tree& node, double& value) {
    return number(key, node, value);
  }
  bool read(std::string_view key, const Tree& node, int& value) {
    if (!node.is_number_integer() && !node.is_number_unsigned())
      return wrong_type(key, node, "a whole number");
    const auto whole = node.is_number_unsigned()
                           ? static_cast<long double>(node.get<std::uint64_t>())
                           : static_cast<long double>(node.get<std::int64_t>());
    if (whole > std::numeric_limits<int>::max() || whole < std::numeric_limits<int>::min()) {
      fail(key, shown(node) + " is too large a whole number");
      return false;
    }
    value = static_cast<int>(whole);
    return true;
  }
  bool read(std::string_view key, const Tree& node, std::uint64_t& value) {
    if (node.is_number_unsigned()) {
      value = node.get<std::uint64_t>();
      return true;
    }
    if (node.is_number_integer() && node.get<std::int64_t>() >= 0) {
      value = static_cast<std::uint64_t>(node.get<std::int64_t>());
      return true;
    }
    return wrong_type(key, node, "a whole number of 0 or more");
  }
  bool read(std::string_view key, const Tree& node, bool& value) {
    if (!node.is_boolean()) return wrong_type(key, node, "true or false");
    value = node.get<bool>();
    return true;
  }
  bool read(std::string_view key, const Tree& node, std::string& value) {
    if (!node.is_string()) return wrong_type(key, node, "a text");
    value = node.get<std::string>();
    return true;
  }
  bool read(std::string_view key, const Tree& node, std::vector<double>& values) {
    if (!node.is_array()) return wrong_type(key, node, "a list of numbers");
    values.clear();
    bool good = true;
    for (std::size_t i = 0; i < node.size(); ++i) {
      double v = 0.0;
      good = number(indexed_path(std::string(key), i), node[i], v) && good;
      values.push_back(v);
    }
    return good;
  }
  bool read(std::string_view key, const Tree& node, std::vector<loads::PlanPoint>& points) {
    if (!node.is_array()) return wrong_type(key, node, "a list of [x, y] pairs");
    points.clear();
    bool good = true;
    for (std::size_t i = 0; i < node.size(); ++i) {
      const std::string at = indexed_path(std::string(key), i);
      const Tree& pair = node[i];
      if (!pair.is_array() || pair.size() != 2) {
        good = wrong_type(at, pair, "a pair [x, y]");
        continue;
      }
      loads::PlanPoint p;
      good = number(at + "[1]", pair[0], p.x) && good;
      good = number(at + "[2]", pair[1], p.y) && good;
      points.push_back(p);
    }
    return good;
  }

  const Tree& object_;
  std::string path_;
  const TreeLines& lines_;
  std::vector<Diagnostic>& diagnostics_;
  std::vector<std::string> known_;
};

// The reading of a whole tree: where it is and what it found.
struct Reading {
  const TreeLines& lines;
  std::vector<Diagnostic>& diagnostics;

  void fail(const std::string& path, std::string message) {
    diagnostics.push_back({Severity::kError, path, std::move(message), line_of(lines, path)});
  }

  // `node` must be a table; a message otherwise.
  bool is_table(const Tree& node, const std::string& path) {
    if (node.is_object()) return true;
    fail(path, shown(node) + " is " + kind_of(node) + "; expected a table");
    return false;
  }

  template <typename Record>
  bool record(const Tree& node, const std::string& path, Record& record) {
    if (!is_table(node, path)) return false;
    TreeReader reader(node, path, lines, diagnostics);
    visit_fields(reader, record);
    reader.finish();
    return true;
  }

  // The alternative of `Variant` whose `tag` member is `name`, with its fields
  // and those `also` reads, from one table.
  template <typename Variant, typename Tag, typename Also>
  std::optional<Variant> alternative(const Tree& node, const std::string& path,
                                     std::string_view tag_key, Tag tag, Also also) {
    if (!is_table(node, path)) return std::nullopt;
    TreeReader reader(node, path, lines, diagnostics);
    reader.known(tag_key);
    const auto it = node.find(std::string(tag_key));
    const std::string key_path = reader.path_of(tag_key);
    if (it == node.end() || !it->is_string()) {
      fail(key_path, std::string(it == node.end() ? "is missing" : shown(*it) + " is not a text") +
                         "; expected one of " + names<Variant>(tag));
      return std::nullopt;
    }
    std::optional<Variant> chosen = choose<Variant>(it->get<std::string>(), tag, reader);
    if (!chosen) {
      fail(key_path, shown(*it) + " is not one of " + names<Variant>(tag));
      return std::nullopt;
    }
    also(reader, *chosen);
    reader.finish();
    return chosen;
  }

  template <typename Variant, typename Tag, std::size_t I = 0>
  static std::optional<Variant> choose(const std::string& name, Tag tag, TreeReader& reader) {
    if constexpr (I == std::variant_size_v<Variant>) {
      return std::nullopt;
    } else {
      using Alternative = std::variant_alternative_t<I, Variant>;
      if (name == tag(static_cast<const Alternative*>(nullptr))) {
        Alternative value{};
        visit_fields(reader, value);
        return Variant(std::move(value));
      }
      return choose<Variant, Tag, I + 1>(name, tag, reader);
    }
  }

  template <typename Variant, typename Tag>
  static std::string names(Tag tag) {
    std::string list;
    [&]<std::size_t... I>(std::index_sequence<I...>) {
      ((list +=
        (I == 0 ? "\"" : ", \"") +
        std::string(tag(static_cast<const std::variant_alternative_t<I, Variant>*>(nullptr))) +
        "\""),
       ...);
    }
    (std::make_index_sequence<std::variant_size_v<Variant>>());
    return list;
  }

  template <typename Record, typename Read>
  std::vector<Record> list(const Tree& top, const char* key, Read read_one) {
    std::vector<Record> records;
    const auto it = top.find(key);
    if (it == top.end()) return records;
    if (!it->is_array()) {
      fail(key, shown(*it) + " is " + kind_of(*it) + "; expected a list of tables");
      return records;
    }
    for (std::size_t i = 0; i < it->size(); ++i) {
      if (std::optional<Record> one = read_one((*it)[i], indexed_path(key, i)))
        records.push_back(std::move(*one));
    }
    return records;
  }
};

constexpr auto kind_tag = [](const auto* kind) {
  return std::remove_pointer_t<decltype(kind)>::kKind;
};
constexpr auto model_tag = [](const auto* model) {
  return std::remove_pointer_t<decltype(model)>::kModel;
};

std::optional<loads::Load> read_load(Reading& r, const Tree& node, const std::string& path) {
  return r.alternative<loads::Load>(node, path, "kind", kind_tag, [](TreeReader&, loads::Load&) {});
}

std::optional<soils::Soil> read_soil(Reading& r, const Tree& node, const std::string& name) {
  const std::string path = "soils." + name;
  soils::Soil soil;
  std::optional<soils::Model> model = r.alternative<soils::Model>(
      node, path, "model", model_tag,
      [&](TreeReader& reader, soils::Model&) { visit_common_fields(reader, soil); });
  if (!model) return std::nullopt;
  soil.name = name;
  soil.model = std::move(*model);
  return soil;
}

template <typename Record>
std::optional<Record> read_table(Reading& r, const Tree& node, const std::string& path) {
  Record record{};
  if (!r.record(node, path, record)) return std::nullopt;
  return record;
}

void read_title(Reading& r, const Tree& top, Project& project) {
  const auto it = top.find("title");
  if (it == top.end()) return;
  if (it->is_string()) {
    project.title = {it->get<std::string>()};
    return;
  }
  if (it->is_array() && !it->empty() && it->size() <= 2 &&
      std::all_of(it->begin(), it->end(), [](const Tree& line) { return line.is_string(); })) {
    for (const Tree& line : *it) project.title.push_back(line.get<std::string>());
    return;
  }
  r.fail("title", shown(*it) + " is " + kind_of(*it) + "; expected a text or a list of two texts");
}

// The project's own fields; the tables and lists beside them are read apart.
struct TopLevel {
  Project& project;
};

template <typename Visitor, RecordOf<TopLevel> Record>
void visit_fields(Visitor& v, Record& r) {
  v.field("schema_version", r.project.schema_version);
  v.choice("units", r.project.units, kUnitNames, Units::kSi);
  v.choice("time_unit", r.project.time_unit, kTimeUnitNames, TimeUnit::kDay);
}

}  // namespace

int line_of(const TreeLines& lines, const std::string& path) {
  std::string at = path;
  while (true) {
    const auto it = lines.find(at);
    if (it != lines.end()) return it->second;
    const std::size_t cut = at.find_last_of(".[");
    if (cut == std::string::npos || cut == 0) return 0;
    at.resize(cut);
  }
}

std::string indexed_path(const std::string& list, std::size_t position_from_zero) {
  return list + "[" + std::to_string(position_from_zero + 1) + "]";
}

std::string closest_key(const std::string& key, const std::vector<std::string>& known) {
  // Edit distance, the misspellings a typist makes: letters swapped, left out, doubled.
  const auto distance = [](const std::string& a, const std::string& b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
      std::size_t diagonal = row[0];
      row[0] = i;
      for (std::size_t j = 1; j <= b.size(); ++j) {
        const std::size_t above = row[j];
        row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
        diagonal = above;
      }
    }
    return row[b.size()];
  };
  std::string best;
  std::size_t best_distance = std::max<std::size_t>(2, key.size() / 3) + 1;
  for (const std::string& candidate : known) {
    const std::size_t d = distance(key, candidate);
    if (d < best_distance) {
      best = candidate;
      best_distance = d;
    }
  }
  return best;
}

Tree project_to_tree(const Project& project) {
  Tree top = Tree::object();
  top["schema_version"] = project.schema_version;
  if (project.title.size() == 1) top["title"] = project.title.front();
  if (project.title.size() > 1) top["title"] = project.title;
  top["units"] = std::string(name_of(kUnitNames, project.units));
  if (project.time_unit != TimeUnit::kDay)
    top["time_unit"] = std::string(name_of(kTimeUnitNames, project.time_unit));
  if (Tree analysis = table_of(project.analysis); !analysis.empty()) top["analysis"] = analysis;
  if (project.groundwater) top["groundwater"] = table_of(*project.groundwater);
  Tree soils = Tree::object();
  for (const soils::Soil& soil : project.soils) soils[soil.name] = soil_tree(soil);
  top["soils"] = soils;
  top["layers"] = list_of<Layer>(project.layers, &table_of<Layer>);
  top["points"] = list_of<Point>(project.points, &table_of<Point>);
  top["loads"] = list_of<loads::Load>(project.loads, &load_tree);
  if (project.consolidation) top["consolidation"] = table_of(*project.consolidation);
  if (project.drains) top["drains"] = table_of(*project.drains);
  if (project.study) {
    Tree study = table_of(*project.study);
    study["parameters"] =
        list_of<StudyParameter>(project.study->parameters, &table_of<StudyParameter>);
    if (!project.study->correlations.empty())
      study["correlations"] =
          list_of<StudyCorrelation>(project.study->correlations, &table_of<StudyCorrelation>);
    top["study"] = study;
  }
  return top;
}

TreeReading project_from_tree(const Tree& tree, const TreeLines& lines) {
  TreeReading result;
  Reading r{lines, result.diagnostics};
  if (!r.is_table(tree, "")) return result;
  Project& project = result.project;

  TreeReader top(tree, "", lines, result.diagnostics);
  TopLevel own{project};
  visit_fields(top, own);
  for (const char* key : {"title", "analysis", "groundwater", "soils", "layers", "points", "loads",
                          "consolidation", "drains", "study"})
    top.known(key);
  top.finish();
  read_title(r, tree, project);

  if (const auto it = tree.find("analysis"); it != tree.end())
    r.record(*it, "analysis", project.analysis);
  if (const auto it = tree.find("groundwater"); it != tree.end())
    project.groundwater = read_table<Groundwater>(r, *it, "groundwater");
  if (const auto it = tree.find("soils"); it != tree.end() && r.is_table(*it, "soils")) {
    for (const auto& [name, node] : it->items())
      if (std::optional<soils::Soil> soil = read_soil(r, node, name))
        project.soils.push_back(std::move(*soil));
  }
  project.layers = r.list<Layer>(tree, "layers", [&](const Tree& node, const std::string& path) {
    return read_table<Layer>(r, node, path);
  });
  project.points = r.list<Point>(tree, "points", [&](const Tree& node, const std::string& path) {
    return read_table<Point>(r, node, path);
  });
  project.loads = r.list<loads::Load>(
      tree, "loads",
      [&](const Tree& node, const std::string& path) { return read_load(r, node, path); });
  if (const auto it = tree.find("consolidation"); it != tree.end())
    project.consolidation = read_table<Consolidation>(r, *it, "consolidation");
  if (const auto it = tree.find("drains"); it != tree.end())
    project.drains = read_table<Drains>(r, *it, "drains");
  if (const auto it = tree.find("study"); it != tree.end() && r.is_table(*it, "study")) {
    Study study;
    TreeReader reader(*it, "study", lines, result.diagnostics);
    visit_fields(reader, study);
    reader.known("parameters");
    reader.known("correlations");
    reader.finish();
    study.parameters =
        r.list<StudyParameter>(*it, "parameters", [&](const Tree& node, const std::string& path) {
          return read_table<StudyParameter>(r, node, "study." + path);
        });
    study.correlations = r.list<StudyCorrelation>(
        *it, "correlations", [&](const Tree& node, const std::string& path) {
          return read_table<StudyCorrelation>(r, node, "study." + path);
        });
    project.study = std::move(study);
  }
  return result;
}

}  // namespace site
