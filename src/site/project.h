// The site model: one project as the engineer describes it, whichever way it
// came in (a project file, the archived fixed-column file, a Python dict).
// It holds what the user wrote; sublayers, stress depths and everything else
// worked out from it belong to the analysis' profile.
#pragma once

#include <concepts>
#include <cstdint>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "loads/load.h"
#include "site/fields.h"
#include "soils/soil.h"

namespace site {

constexpr int kSchemaVersion = 1;

enum class Units { kSi, kUs };  // SI: m, kPa, kN/m3, mm; US: ft, ksf, lb/ft3, inches
enum class TimeUnit { kDay, kMonth, kYear };
enum class Method { kExact, kClassic };

inline constexpr EnumNames<Units, 2> kUnitNames = {{{Units::kSi, "SI"}, {Units::kUs, "US"}}};
inline constexpr EnumNames<TimeUnit, 3> kTimeUnitNames = {
    {{TimeUnit::kDay, "day"}, {TimeUnit::kMonth, "month"}, {TimeUnit::kYear, "year"}}};
inline constexpr EnumNames<Method, 2> kMethodNames = {
    {{Method::kExact, "exact"}, {Method::kClassic, "classic"}}};

struct Analysis {
  Method method = Method::kExact;
  double max_sublayer = 0.5;  // length units
};

struct Groundwater {
  double water_table = 0.0;  // depth of the phreatic surface at the start
  std::optional<double> final_water_table;
  std::optional<double> unit_weight;  // of water; default 9.81 kN/m3 or 62.4 lb/ft3
};

struct Layer {
  std::optional<std::string> name;
  double bottom = 0.0;
  std::string soil;
  double unit_weight = 0.0;  // total, above the water table
  std::optional<double> saturated_unit_weight;
  std::optional<double> head_top;  // piezometric levels as depths, both or neither
  std::optional<double> head_bottom;
  double thickness_factor = 1.0;
  std::optional<int> number;  // the archived layer number, for a round trip
};

struct Point {
  std::optional<std::string> name;
  double x = 0.0;
  double y = 0.0;
  int start_layer = 1;  // the first layer counted; 0 counts every layer
  std::optional<std::string> structure;
  std::optional<int> number;  // the archived point number, for a round trip
};

enum class Drainage { kDrained, kImpermeable };
inline constexpr EnumNames<Drainage, 2> kDrainageNames = {
    {{Drainage::kDrained, "drained"}, {Drainage::kImpermeable, "impermeable"}}};

struct Consolidation {
  std::vector<double> times;  // output times, increasing, none negative
  Drainage top = Drainage::kDrained;
  Drainage bottom = Drainage::kImpermeable;
};

enum class DrainPattern { kTriangle, kSquare };
inline constexpr EnumNames<DrainPattern, 2> kDrainPatternNames = {
    {{DrainPattern::kTriangle, "triangle"}, {DrainPattern::kSquare, "square"}}};

struct Drains {
  DrainPattern pattern = DrainPattern::kTriangle;
  double spacing = 0.0;
  double diameter = 0.0;  // equivalent drain diameter
  double smear_ratio = 1.0;
  double kh_over_ks = 1.0;
  double ch_over_cv = 1.0;
  std::optional<double> discharge_capacity;  // length^3 per time unit
  std::optional<double> bottom;              // default: the base of the profile
  double installed = 0.0;
};

enum class SamplingMethod { kLatinHypercube, kMonteCarlo };
enum class DistributionKind { kNormal, kLognormal, kUniform, kTriangular };
inline constexpr EnumNames<SamplingMethod, 2> kSamplingMethodNames = {
    {{SamplingMethod::kLatinHypercube, "lhs"}, {SamplingMethod::kMonteCarlo, "monte_carlo"}}};
inline constexpr EnumNames<DistributionKind, 4> kDistributionNames = {
    {{DistributionKind::kNormal, "normal"},
     {DistributionKind::kLognormal, "lognormal"},
     {DistributionKind::kUniform, "uniform"},
     {DistributionKind::kTriangular, "triangular"}}};

struct StudyParameter {
  std::string target;  // "soils.clay.cc", "layers[1].bottom", "loads[2].pressure"
  DistributionKind distribution = DistributionKind::kNormal;
  std::optional<double> mean;  // default: the target's value
  std::optional<double> sd;
  std::optional<double> cov;
  std::optional<double> low;
  std::optional<double> mode;
  std::optional<double> high;
};

struct StudyCorrelation {
  std::string a;
  std::string b;
  double rho = 0.0;
};

struct Study {
  int samples = 0;
  SamplingMethod method = SamplingMethod::kLatinHypercube;
  std::uint64_t seed = 0;
  std::optional<double> settlement_limit;
  std::optional<double> distortion_limit;
  std::vector<StudyParameter> parameters;
  std::vector<StudyCorrelation> correlations;
};

struct Project {
  int schema_version = kSchemaVersion;
  std::vector<std::string> title;  // one or two lines
  Units units = Units::kSi;
  TimeUnit time_unit = TimeUnit::kDay;
  Analysis analysis;
  std::optional<Groundwater> groundwater;
  std::vector<soils::Soil> soils;  // in the order given
  std::vector<Layer> layers;       // top down
  std::vector<Point> points;
  std::vector<loads::Load> loads;
  std::optional<Consolidation> consolidation;
  std::optional<Drains> drains;
  std::optional<Study> study;
};

// The fields of each table of the project file, in the file's order. The
// project's own top level (title, units, the soils table and the lists) is
// mapped by the value tree itself.

template <typename Visitor, RecordOf<Analysis> Record>
void visit_fields(Visitor& v, Record& r) {
  v.choice("method", r.method, kMethodNames, Method::kExact);
  v.field("max_sublayer", r.max_sublayer, 0.5);
}

template <typename Visitor, RecordOf<Groundwater> Record>
void visit_fields(Visitor& v, Record& r) {
  v.field("water_table", r.water_table);
  v.field("final_water_table", r.final_water_table);
  v.field("unit_weight", r.unit_weight);
}

template <typename Visitor, RecordOf<Layer> Record>
void visit_fields(Visitor& v, Record& r) {
  v.field("name", r.name);
  v.field("number", r.number);
  v.field("bottom", r.bottom);
  v.field("soil", r.soil);
  v.field("unit_weight", r.unit_weight);
  v.field("saturated_unit_weight", r.saturated_unit_weight);
  v.field("head_top", r.head_top);
  v.field("head_bottom", r.head_bottom);
  v.field("thickness_factor", r.thickness_factor, 1.0);
}

template <typename Visitor, RecordOf<Point> Record>
void visit_fields(Visitor& v, Record& r) {
  v.field("name", r.name);
  v.field("number", r.number);
  v.field("x", r.x);
  v.field("y", r.y);
  v.field("start_layer", r.start_layer, 1);
  v.field("structure", r.structure);
}

template <typename Visitor, RecordOf<Consolidation> Record>
void visit_fields(Visitor& v, Record& r) {
  v.field("times", r.times);
  v.choice("top", r.top, kDrainageNames, Drainage::kDrained);
  v.choice("bottom", r.bottom, kDrainageNames, Drainage::kImpermeable);
}

template <typename Visitor, RecordOf<Drains> Record>
void visit_fields(Visitor& v, Record& r) {
  v.choice("pattern", r.pattern, kDrainPatternNames, DrainPattern::kTriangle);
  v.field("spacing", r.spacing);
  v.field("diameter", r.diameter);
  v.field("smear_ratio", r.smear_ratio, 1.0);
  v.field("kh_over_ks", r.kh_over_ks, 1.0);
  v.field("ch_over_cv", r.ch_over_cv, 1.0);
  v.field("discharge_capacity", r.discharge_capacity);
  v.field("bottom", r.bottom);
  v.field("installed", r.installed, 0.0);
}

template <typename Visitor, RecordOf<StudyParameter> Record>
void visit_fields(Visitor& v, Record& r) {
  v.field("target", r.target);
  v.choice("distribution", r.distribution, kDistributionNames, DistributionKind::kNormal);
  v.field("mean", r.mean);
  v.field("sd", r.sd);
  v.field("cov", r.cov);
  v.field("low", r.low);
  v.field("mode", r.mode);
  v.field("high", r.high);
}

template <typename Visitor, RecordOf<StudyCorrelation> Record>
void visit_fields(Visitor& v, Record& r) {
  v.field("a", r.a);
  v.field("b", r.b);
  v.field("rho", r.rho);
}

// The study's own fields; its parameters and correlations are lists of
// tables that the value tree maps.
template <typename Visitor, RecordOf<Study> Record>
void visit_fields(Visitor& v, Record& r) {
  v.field("samples", r.samples);
  v.choice("method", r.method, kSamplingMethodNames, SamplingMethod::kLatinHypercube);
  v.field("seed", r.seed);
  v.field("settlement_limit", r.settlement_limit);
  v.field("distortion_limit", r.distortion_limit);
}

}  // namespace site
