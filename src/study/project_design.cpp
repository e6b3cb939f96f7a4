// A project's study as a design: targets found through the records' own
// lists of fields, so that any number a record holds can be a target and no
// key is mapped by hand.
#include "study/project_design.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <variant>

#include "loads/load.h"
#include "site/value_tree.h"
#include "study/design_checks.h"

namespace study {
namespace {

// Visits a record's fields and keeps the address of the number named `key`.
// Any other kind of field under that key is noted, so the message can say so.
template <typename Number>
class NumberFinder {
 public:
  explicit NumberFinder(std::string_view key) : key_(key) {}

  void field(std::string_view key, Number& value) { found(key, &value); }
  void field(std::string_view key, Number& value, const double&) { found(key, &value); }
  void field(std::string_view key, std::optional<double>& value) {
    if (key != key_) return;
    known_ = true;
    if (value) number_ = &*value;
    absent_ = !value;
  }
  void field(std::string_view key, const std::optional<double>& value) {
    if (key != key_) return;
    known_ = true;
    if (value) number_ = &*value;
    absent_ = !value;
  }
  template <typename T>
  void field(std::string_view key, T&) {
    if (key == key_) known_ = true;
  }
  template <typename T, typename U>
  void field(std::string_view key, T&, const U&) {
    if (key == key_) known_ = true;
  }
  template <typename Enum, typename Names, typename Fallback>
  void choice(std::string_view key, Enum&, const Names&, Fallback) {
    if (key == key_) known_ = true;
  }

  Number* number() const { return number_; }
  // Why no number was found: "" when one was.
  std::string problem() const {
    if (number_ != nullptr) return "";
    if (absent_) return "has no value in the project to vary; give it one first";
    if (known_) return "is not a number";
    return "is not a key of this table";
  }

 private:
  void found(std::string_view key, Number* value) {
    if (key != key_) return;
    known_ = true;
    number_ = value;
  }
  std::string_view key_;
  Number* number_ = nullptr;
  bool known_ = false;
  bool absent_ = false;
};

template <typename Number>
using Finder = NumberFinder<Number>;

// The number of `place` in the project, or what is wrong; Project may be const.
template <typename Project>
auto find_number(Project& project, const TargetPlace& place) {
  using Number = std::conditional_t<std::is_const_v<Project>, const double, double>;
  Finder<Number> finder(place.key);
  switch (place.table) {
    case TargetPlace::Table::kSoil: {
      auto& soil = project.soils[place.position];
      std::visit([&](auto& model) { visit_fields(finder, model); }, soil.model);
      soils::visit_common_fields(finder, soil);
      break;
    }
    case TargetPlace::Table::kLayer:
      visit_fields(finder, project.layers[place.position]);
      break;
    case TargetPlace::Table::kLoad:
      std::visit([&](auto& load) { visit_fields(finder, load); }, project.loads[place.position]);
      break;
    case TargetPlace::Table::kGroundwater:
      visit_fields(finder, *project.groundwater);
      break;
  }
  return finder;
}

// "NAME[N]" split into the list's position from 0; nothing when malformed.
std::optional<std::size_t> position_in(std::string_view step, std::string_view list,
                                       std::size_t count) {
  if (step.size() < list.size() + 3 || step.substr(0, list.size()) != list ||
      step[list.size()] != '[' || step.back() != ']')
    return std::nullopt;
  const std::string_view digits = step.substr(list.size() + 1, step.size() - list.size() - 2);
  std::size_t n = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), n);
  if (error != std::errc() || end != digits.data() + digits.size() || n < 1 || n > count)
    return std::nullopt;
  return n - 1;
}

std::string text_of(double value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.10g", value);
  return buffer;
}

std::string_view figure_name(Figure figure) {
  switch (figure) {
    case Figure::kMean:
      return "mean";
    case Figure::kSd:
      return "sd";
    case Figure::kCov:
      return "cov";
    case Figure::kLow:
      return "low";
    case Figure::kMode:
      return "mode";
    case Figure::kHigh:
      return "high";
  }
  return "";
}

std::string parameter_path(std::size_t k) { return site::indexed_path("study.parameters", k); }
std::string correlation_path(std::size_t j) { return site::indexed_path("study.correlations", j); }

// A design fault as the diagnostic of the study table's key.
site::Diagnostic diagnostic_of(const DesignFault& fault) {
  const auto error = [](std::string path, std::string message) {
    return site::Diagnostic{site::Severity::kError, std::move(path), std::move(message), 0};
  };
  return std::visit(
      loads::Overloaded{
          [&](const SampleCountOutOfRange& f) {
            return error("study.samples", std::to_string(f.samples) +
                                              " is not a sample count; expected 1 to " +
                                              std::to_string(kMaxSamples));
          },
          [&](const NotFinite& f) {
            return error(parameter_path(f.parameter) + "." + std::string(figure_name(f.figure)),
                         text_of(f.value) + " is not a finite number");
          },
          [&](const NegativeSd& f) {
            return error(parameter_path(f.parameter) + ".sd",
                         text_of(f.sd) + " is below 0; a standard deviation is 0 or more");
          },
          [&](const NegativeCov& f) {
            return error(parameter_path(f.parameter) + ".cov",
                         text_of(f.cov) + " is below 0; a coefficient of variation is 0 or more");
          },
          [&](const NonPositiveLognormalMean& f) {
            return error(parameter_path(f.parameter) + ".mean",
                         text_of(f.mean) + " is not above 0; a lognormal value's mean is (of " +
                             f.target + ")");
          },
          [&](const EmptyRange& f) {
            return error(parameter_path(f.parameter) + ".low",
                         text_of(f.low) + " is not below high (" + text_of(f.high) + ")");
          },
          [&](const ModeOutsideRange& f) {
            return error(parameter_path(f.parameter) + ".mode",
                         text_of(f.mode) + " is outside [low, high] = [" + text_of(f.low) + ", " +
                             text_of(f.high) + "]");
          },
          [&](const DuplicateTarget& f) {
            return error(parameter_path(f.parameter) + ".target",
                         "\"" + f.target + "\" is the target of " + parameter_path(f.first) +
                             " too; a key is varied by one parameter");
          },
          [&](const RhoOutsideRange& f) {
            return error(correlation_path(f.correlation) + ".rho",
                         text_of(f.rho) + " is outside [-1, 1]");
          },
          [&](const UnknownCorrelationTarget& f) {
            return error(correlation_path(f.correlation),
                         "\"" + f.target + "\" is the target of no parameter of the study");
          },
          [&](const SelfCorrelation& f) {
            return error(correlation_path(f.correlation),
                         "correlates \"" + f.target + "\" with itself");
          },
          [&](const DuplicatePair& f) {
            return error(correlation_path(f.correlation),
                         "the pair \"" + f.a + "\", \"" + f.b + "\" is given in " +
                             correlation_path(f.first) + " already");
          },
          [&](const NotPositiveDefinite& f) {
            std::string pairs;
            for (const NotPositiveDefinite::Pair& p : f.pairs)
              pairs += (pairs.empty() ? "" : "; ") + correlation_path(p.correlation) + " (" + p.a +
                       ", " + p.b + ", " + text_of(p.rho) + ")";
            return error("study.correlations",
                         "no values can have these correlations together (the matrix is not "
                         "positive definite, its smallest eigenvalue " +
                             text_of(f.smallest_eigenvalue) + "); they come from " + pairs);
          },
      },
      fault);
}

// The distribution of a parameter from its figures, or the diagnostics of
// the figures missing or out of place.
std::optional<Distribution> distribution_of(const site::StudyParameter& p, std::size_t k,
                                            double value,
                                            std::vector<site::Diagnostic>& diagnostics) {
  const std::string path = parameter_path(k);
  const std::string kind(name_of(site::kDistributionNames, p.distribution));
  bool sound = true;
  const auto need = [&](const std::optional<double>& figure, std::string_view name) {
    if (figure) return *figure;
    diagnostics.push_back({site::Severity::kError, path + "." + std::string(name),
                           "is missing; a " + kind + " distribution needs it", 0});
    sound = false;
    return 0.0;
  };
  Distribution out;
  std::vector<std::string_view> takes;  // the figures the distribution has
  switch (p.distribution) {
    case site::DistributionKind::kNormal:
      out = Normal{p.mean.value_or(value), need(p.sd, "sd")};
      takes = {"mean", "sd"};
      break;
    case site::DistributionKind::kLognormal:
      out = Lognormal{p.mean.value_or(value), need(p.cov, "cov")};
      takes = {"mean", "cov"};
      break;
    case site::DistributionKind::kUniform:
      out = Uniform{need(p.low, "low"), need(p.high, "high")};
      takes = {"low", "high"};
      break;
    case site::DistributionKind::kTriangular:
      out = Triangular{need(p.low, "low"), need(p.mode, "mode"), need(p.high, "high")};
      takes = {"low", "mode", "high"};
      break;
  }
  const std::pair<std::string_view, const std::optional<double>*> figures[] = {
      {"mean", &p.mean}, {"sd", &p.sd},     {"cov", &p.cov},
      {"low", &p.low},   {"mode", &p.mode}, {"high", &p.high}};
  for (const auto& [name, figure] : figures) {
    if (!figure->has_value() || std::find(takes.begin(), takes.end(), name) != takes.end())
      continue;
    diagnostics.push_back({site::Severity::kError, path + "." + std::string(name),
                           "has no place in a " + kind + " distribution", 0});
    sound = false;
  }
  if (!sound) return std::nullopt;
  return out;
}

}  // namespace

TargetLookup find_target(const site::Project& project, const std::string& target) {
  TargetLookup out;
  const std::size_t last_dot = target.rfind('.');
  const std::size_t first_dot = target.find('.');
  if (last_dot == std::string::npos || last_dot + 1 == target.size()) {
    out.problem = "is not a key of a soil, layer, load or the groundwater";
    return out;
  }
  TargetPlace place;
  place.key = target.substr(last_dot + 1);
  const std::string_view head = std::string_view(target).substr(0, first_dot);
  if (head == "soils" && first_dot != last_dot) {
    const std::string name = target.substr(first_dot + 1, last_dot - first_dot - 1);
    std::size_t k = 0;
    while (k < project.soils.size() && project.soils[k].name != name) ++k;
    if (k == project.soils.size()) {
      out.problem = "names soil \"" + name + "\", which the project does not have";
      return out;
    }
    place.table = TargetPlace::Table::kSoil;
    place.position = k;
  } else if (head == "groundwater" && first_dot == last_dot) {
    if (!project.groundwater) {
      out.problem = "names the groundwater, which the project does not have";
      return out;
    }
    place.table = TargetPlace::Table::kGroundwater;
  } else if (first_dot == last_dot && head.starts_with("layers[")) {
    const auto k = position_in(head, "layers", project.layers.size());
    if (!k) {
      out.problem = "names no layer of the project's " + std::to_string(project.layers.size());
      return out;
    }
    place.table = TargetPlace::Table::kLayer;
    place.position = *k;
  } else if (first_dot == last_dot && head.starts_with("loads[")) {
    const auto k = position_in(head, "loads", project.loads.size());
    if (!k) {
      out.problem = "names no load of the project's " + std::to_string(project.loads.size());
      return out;
    }
    place.table = TargetPlace::Table::kLoad;
    place.position = *k;
  } else {
    out.problem =
        "is not a key of a soil (\"soils.NAME.KEY\"), a layer (\"layers[N].KEY\"), a load "
        "(\"loads[N].KEY\") or the groundwater (\"groundwater.KEY\")";
    return out;
  }
  const auto finder = find_number(project, place);
  if (finder.number() == nullptr) {
    out.problem = "\"" + place.key + "\" " + finder.problem();
    return out;
  }
  out.place = std::move(place);
  return out;
}

double& number_at(site::Project& project, const TargetPlace& place) {
  return *find_number(project, place).number();
}

double number_at(const site::Project& project, const TargetPlace& place) {
  return *find_number(project, place).number();
}

ProjectDesign project_design(const site::Project& project) {
  ProjectDesign out;
  const site::Study& s = *project.study;
  out.design.method =
      s.method == site::SamplingMethod::kMonteCarlo ? Method::kMonteCarlo : Method::kLatinHypercube;
  out.design.seed = s.seed;
  out.design.samples = s.samples;
  bool sound = true;
  for (std::size_t k = 0; k < s.parameters.size(); ++k) {
    const site::StudyParameter& p = s.parameters[k];
    const TargetLookup lookup = find_target(project, p.target);
    if (!lookup.place) {
      out.diagnostics.push_back({site::Severity::kError, parameter_path(k) + ".target",
                                 "\"" + p.target + "\" " + lookup.problem, 0});
      sound = false;
      continue;
    }
    const std::optional<Distribution> distribution =
        distribution_of(p, k, number_at(project, *lookup.place), out.diagnostics);
    if (!distribution) {
      sound = false;
      continue;
    }
    out.design.parameters.push_back({p.target, *distribution});
    out.places.push_back(*lookup.place);
  }
  if (s.parameters.empty())
    out.diagnostics.push_back({site::Severity::kError, "study.parameters",
                               "the study has no uncertain value; add a [[study.parameters]]", 0});
  if (s.distortion_limit && *s.distortion_limit < 0.0)
    out.diagnostics.push_back({site::Severity::kError, "study.distortion_limit",
                               text_of(*s.distortion_limit) + " is below 0", 0});
  for (const site::StudyCorrelation& c : s.correlations)
    out.design.correlations.push_back({c.a, c.b, c.rho});
  if (sound) {
    for (const DesignFault& fault : check_design(out.design))
      out.diagnostics.push_back(diagnostic_of(fault));
  } else {
    // The design's own checks need every parameter; the sample count and the
    // correlations' range can still be told.
    if (s.samples < 1 || s.samples > kMaxSamples)
      out.diagnostics.push_back(diagnostic_of(SampleCountOutOfRange{s.samples}));
    for (std::size_t j = 0; j < s.correlations.size(); ++j)
      if (!(s.correlations[j].rho >= -1.0 && s.correlations[j].rho <= 1.0))
        out.diagnostics.push_back(diagnostic_of(
            RhoOutsideRange{j, s.correlations[j].a, s.correlations[j].b, s.correlations[j].rho}));
  }
  if (site::has_errors(out.diagnostics)) out.places.clear();
  return out;
}

}  // namespace study
