// Validation against the project's JSON Schema. valijson decides which
// values break the schema; the messages are worded here from the schema's
// own constraints at each such place, so that they say what was expected in
// the engineer's words rather than the validator's.
#include "project/project_schema.h"

#include <algorithm>
#include <memory>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <valijson/adapters/nlohmann_json_adapter.hpp>
#include <valijson/schema.hpp>
#include <valijson/schema_parser.hpp>
#include <valijson/validation_results.hpp>
#include <valijson/validator.hpp>

#include "project/schema_text.h"

namespace project {
namespace {

using Json = nlohmann::json;
using site::Tree;

const Json& schema_json() {
  static const Json kSchema = Json::parse(kProjectSchemaText);
  return kSchema;
}

// Parsed once; validating does not change it, so threads may share it.
const valijson::Schema& compiled_schema() {
  static const std::unique_ptr<valijson::Schema> kCompiled = [] {
    auto schema = std::make_unique<valijson::Schema>();
    valijson::SchemaParser parser;
    valijson::adapters::NlohmannJsonAdapter adapter(schema_json());
    parser.populateSchema(adapter, *schema);
    return schema;
  }();
  return *kCompiled;
}

// A step down the tree: a key of a table, or a position in a list.
struct Step {
  std::string key;
  bool index = false;
  std::size_t position = 0;
};

// ---- the schema nodes that apply to a value ------------------------------

const Json& resolve(const Json& node) {
  const auto ref = node.find("$ref");
  if (ref == node.end()) return node;
  // Only local references "#/definitions/NAME" occur in the schema.
  const std::string name = ref->get<std::string>().substr(std::string("#/definitions/").size());
  return resolve(schema_json().at("definitions").at(name));
}

// True when `instance` meets an `if` made of constant properties.
bool meets_condition(const Json& condition, const Tree& instance) {
  if (!instance.is_object()) return false;
  const auto properties = condition.find("properties");
  if (properties == condition.end()) return false;
  for (const auto& [key, rule] : properties->items()) {
    const auto value = instance.find(key);
    if (value == instance.end() || !rule.contains("const")) return false;
    if (Json::parse(value->dump()) != rule.at("const")) return false;
  }
  return true;
}

void gather(const Json& node, const Tree& instance, std::vector<const Json*>& out) {
  const Json& schema = resolve(node);
  out.push_back(&schema);
  if (const auto all = schema.find("allOf"); all != schema.end()) {
    for (const Json& part : *all) {
      if (part.contains("if")) {
        if (meets_condition(part.at("if"), instance)) gather(part.at("then"), instance, out);
      } else {
        gather(part, instance, out);
      }
    }
  }
}

// The schema nodes of the value reached by `steps` from the root.
std::vector<const Json*> nodes_at(const Tree& root, const std::vector<Step>& steps) {
  std::vector<const Json*> nodes;
  gather(schema_json(), root, nodes);
  const Tree* value = &root;
  for (const Step& step : steps) {
    const Tree& child = step.index ? (*value)[step.position] : (*value)[step.key];
    std::vector<const Json*> next;
    for (const Json* node : nodes) {
      if (step.index) {
        if (const auto items = node->find("items"); items != node->end() && items->is_object())
          gather(*items, child, next);
        continue;
      }
      const auto properties = node->find("properties");
      if (properties != node->end() && properties->contains(step.key)) {
        gather(properties->at(step.key), child, next);
      } else if (const auto extra = node->find("additionalProperties");
                 extra != node->end() && extra->is_object()) {
        gather(*extra, child, next);
      }
    }
    nodes = std::move(next);
    value = &child;
  }
  return nodes;
}

// ---- wording -------------------------------------------------------------

std::string shown(const Tree& value) {
  std::string text = value.dump();
  return text.size() > 40 ? text.substr(0, 37) + "..." : text;
}

std::string number_text(double value) {
  std::string text = Json(value).dump();
  if (text.size() > 2 && text.compare(text.size() - 2, 2, ".0") == 0) text.resize(text.size() - 2);
  return text;
}

std::string type_words(const std::string& type) {
  if (type == "object") return "a table";
  if (type == "array") return "a list";
  if (type == "string") return "a text";
  if (type == "integer") return "a whole number";
  if (type == "number") return "a number";
  if (type == "boolean") return "true or false";
  return type;
}

bool has_type(const Tree& value, const std::string& type) {
  if (type == "object") return value.is_object();
  if (type == "array") return value.is_array();
  if (type == "string") return value.is_string();
  if (type == "integer") return value.is_number_integer() || value.is_number_unsigned();
  if (type == "number") return value.is_number();
  if (type == "boolean") return value.is_boolean();
  return true;
}

std::string kind_words(const Tree& value) {
  if (value.is_object()) return "a table";
  if (value.is_array()) return "a list";
  if (value.is_string()) return "a text";
  if (value.is_boolean()) return "true or false";
  if (value.is_number_integer() || value.is_number_unsigned()) return "a whole number";
  return "a number";
}

std::string choices(const Json& values) {
  std::string list;
  for (std::size_t i = 0; i < values.size(); ++i) list += (i ? ", " : "") + values[i].dump();
  return list;
}

// What the schema node `node` finds wrong with `value`, or "" for nothing.
std::string first_fault(const Json& node, const Tree& value) {
  if (const auto type = node.find("type"); type != node.end()) {
    const std::string wanted = type->get<std::string>();
    if (!has_type(value, wanted))
      return shown(value) + " is " + kind_words(value) + "; expected " + type_words(wanted);
  }
  if (const auto one_of = node.find("oneOf"); one_of != node.end()) {
    std::string wanted;
    for (const Json& part : *one_of) {
      const Json& alternative = resolve(part);
      if (first_fault(alternative, value).empty()) return "";
      std::string words = type_words(alternative.value("type", std::string()));
      if (alternative.contains("maxItems")) {
        words = "a list of " + alternative.at("minItems").dump() + " to " +
                alternative.at("maxItems").dump() + " texts";
      }
      wanted += (wanted.empty() ? "" : " or ") + words;
    }
    return shown(value) + " is " + kind_words(value) + "; expected " + wanted;
  }
  if (const auto constant = node.find("const"); constant != node.end()) {
    if (Json::parse(value.dump()) != *constant)
      return shown(value) + " is not allowed; expected " + constant->dump();
  }
  if (const auto values = node.find("enum"); values != node.end()) {
    if (std::find(values->begin(), values->end(), Json::parse(value.dump())) == values->end())
      return shown(value) + " is not one of " + choices(*values);
  }
  if (value.is_number()) {
    const double v = value.get<double>();
    if (const auto low = node.find("minimum"); low != node.end() && v < low->get<double>())
      return shown(value) + " is too small; expected " + number_text(low->get<double>()) +
             " or more";
    if (const auto low = node.find("exclusiveMinimum");
        low != node.end() && !(v > low->get<double>()))
      return shown(value) + " is too small; expected more than " + number_text(low->get<double>());
  }
  if (value.is_string()) {
    const std::size_t length = value.get<std::string>().size();
    if (const auto low = node.find("minLength");
        low != node.end() && length < low->get<std::size_t>())
      return "is empty; expected a text";
    if (const auto high = node.find("maxLength");
        high != node.end() && length > high->get<std::size_t>())
      return "is too long; expected at most " + high->dump() + " characters";
  }
  const auto count_fault = [&](const char* low_key, const char* high_key, const char* things) {
    const std::size_t count = value.size();
    if (const auto low = node.find(low_key); low != node.end() && count < low->get<std::size_t>())
      return "holds " + std::to_string(count) + " " + things + "; expected at least " + low->dump();
    if (const auto high = node.find(high_key);
        high != node.end() && count > high->get<std::size_t>())
      return "holds " + std::to_string(count) + " " + things + "; expected at most " + high->dump();
    return std::string();
  };
  if (value.is_array()) return count_fault("minItems", "maxItems", "entries");
  if (value.is_object()) return count_fault("minProperties", "maxProperties", "entries");
  return "";
}

class Explainer {
 public:
  Explainer(const Tree& root, const site::TreeLines& lines) : root_(root), lines_(lines) {}

  void explain(const std::vector<Step>& steps) {
    const std::string path = path_of(steps);
    if (!explained_.insert(path).second) return;
    const Tree* value = &root_;
    for (const Step& step : steps)
      value = step.index ? &(*value)[step.position] : &(*value)[step.key];
    const std::vector<const Json*> nodes = nodes_at(root_, steps);
    for (const Json* node : nodes) {
      if (std::string fault = first_fault(*node, *value); !fault.empty()) {
        add(path, std::move(fault));
        return;
      }
    }
    if (value->is_object()) explain_table(path, *value, nodes);
  }

  std::vector<site::Diagnostic> take() { return std::move(diagnostics_); }

 private:
  void explain_table(const std::string& path, const Tree& value,
                     const std::vector<const Json*>& nodes) {
    std::vector<std::string> known;
    bool closed = false;
    for (const Json* node : nodes) {
      if (const auto properties = node->find("properties"); properties != node->end())
        for (const auto& [key, rule] : properties->items()) known.push_back(key);
      if (const auto extra = node->find("additionalProperties");
          extra != node->end() && extra->is_boolean() && !extra->get<bool>())
        closed = true;
      if (const auto required = node->find("required"); required != node->end()) {
        for (const Json& key : *required) {
          const std::string name = key.get<std::string>();
          if (!value.contains(name)) add(join(path, name), "is missing; this table needs it");
        }
      }
    }
    if (!closed) return;
    for (const auto& [key, rule] : value.items()) {
      if (std::find(known.begin(), known.end(), key) != known.end()) continue;
      std::string message = "is not a key of this table";
      const std::string near = site::closest_key(key, known);
      if (!near.empty()) message += "; did you mean \"" + near + "\"?";
      add(join(path, key), message);
    }
  }

  static std::string join(const std::string& path, const std::string& key) {
    return path.empty() ? key : path + "." + key;
  }

  static std::string path_of(const std::vector<Step>& steps) {
    std::string path;
    for (const Step& step : steps) {
      path =
          step.index ? path + "[" + std::to_string(step.position + 1) + "]" : join(path, step.key);
    }
    return path;
  }

  void add(const std::string& path, std::string message) {
    if (std::any_of(diagnostics_.begin(), diagnostics_.end(),
                    [&](const site::Diagnostic& d) { return d.path == path; }))
      return;
    diagnostics_.push_back(
        {site::Severity::kError, path, std::move(message), site::line_of(lines_, path)});
  }

  const Tree& root_;
  const site::TreeLines& lines_;
  std::set<std::string> explained_;
  std::vector<site::Diagnostic> diagnostics_;
};

// The steps of a valijson context ("<root>", "[layers]", "[0]", ...), told
// apart as keys or positions by the tree itself.
std::vector<Step> steps_of(const std::vector<std::string>& context, const Tree& root) {
  std::vector<Step> steps;
  const Tree* value = &root;
  for (std::size_t i = 1; i < context.size(); ++i) {
    const std::string& part = context[i];
    const std::string inner = part.size() >= 2 ? part.substr(1, part.size() - 2) : part;
    Step step;
    if (value->is_array()) {
      step.index = true;
      step.position = static_cast<std::size_t>(std::stoul(inner));
      if (step.position >= value->size()) break;
      value = &(*value)[step.position];
    } else if (value->is_object() && value->contains(inner)) {
      step.key = inner;
      value = &(*value)[inner];
    } else {
      break;
    }
    steps.push_back(step);
  }
  return steps;
}

}  // namespace

std::string_view schema_text() { return kProjectSchemaText; }

std::vector<site::Diagnostic> check_against_schema(const Tree& tree, const site::TreeLines& lines) {
  const Json instance = Json::parse(tree.dump());
  valijson::Validator validator;
  valijson::ValidationResults results;
  valijson::adapters::NlohmannJsonAdapter adapter(instance);
  if (validator.validate(compiled_schema(), adapter, &results)) return {};

  // The deepest places first: an enclosing table fails because of them.
  std::vector<std::vector<Step>> places;
  valijson::ValidationResults::Error error;
  while (results.popError(error)) places.push_back(steps_of(error.context, tree));
  std::stable_sort(places.begin(), places.end(),
                   [](const auto& a, const auto& b) { return a.size() > b.size(); });
  Explainer explainer(tree, lines);
  for (const std::vector<Step>& steps : places) explainer.explain(steps);
  std::vector<site::Diagnostic> diagnostics = explainer.take();
  if (diagnostics.empty()) {
    diagnostics.push_back({site::Severity::kError, "", "breaks the project's schema", 0});
  }
  std::stable_sort(diagnostics.begin(), diagnostics.end(),
                   [](const site::Diagnostic& a, const site::Diagnostic& b) {
                     return a.line != b.line ? a.line < b.line : a.path < b.path;
                   });
  return diagnostics;
}

}  // namespace project
