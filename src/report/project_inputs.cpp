// The input tables of the project report.
#include "report/project_inputs.h"

#include <algorithm>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "loads/load.h"
#include "soils/soil.h"

namespace report {
namespace {

using loads::Overloaded;

std::string with_unit(std::string_view label, std::string_view unit) {
  return std::string(label) + ", " + std::string(unit);
}

// "INDEX MODEL (COMPRESSION INDICES)" and the like.
std::string model_description(const soils::Model& model) {
  return std::visit(
      Overloaded{
          [](const soils::Curve&) -> std::string { return "CURVE MODEL (STRAIN - LOG P POINTS)"; },
          [](const soils::Slope&) -> std::string { return "SLOPE MODEL (ONE STRAIN SLOPE)"; },
          [](const soils::IndexSoil&) -> std::string {
            return "INDEX MODEL (COMPRESSION INDICES)";
          },
          [](const soils::Modulus&) -> std::string {
            return "MODULUS MODEL (CONSTANT COMPRESSIBILITY)";
          },
      },
      model);
}

void write_model_parameters(layout::RecordWriter& out, const soils::Model& model,
                            const QuantityText& q) {
  std::visit(
      Overloaded{
          [&](const soils::Curve& curve) {
            TextTable points({{{"STRAIN", "%"}}, {{"PRESSURE", std::string(q.pressure_unit())}}});
            for (std::size_t i = 0; i < std::min(curve.strain.size(), curve.pressure.size()); ++i)
              points.add_row({fixed_text(curve.strain[i], 3), q.pressure(curve.pressure[i])});
            points.write(out);
          },
          [&](const soils::Slope& slope) {
            if (slope.slope >= 0.0)
              put_entry(out, "SLOPE, % STRAIN PER TENFOLD PRESSURE", fixed_text(slope.slope, 3));
            else
              put_entry(out, "SLOPE, MINUS % STRAIN PER " + std::string(q.pressure_unit()),
                        fixed_text(slope.slope, 4));
          },
          [&](const soils::IndexSoil& index) {
            put_entry(out, "COMPRESSION INDEX CC", fixed_text(index.cc, 3));
            put_entry(out, "RECOMPRESSION INDEX CR", fixed_text(index.cr, 3));
            if (index.sigma_p)
              put_entry(out, with_unit("PRECONSOLIDATION PRESSURE SIGMA'P", q.pressure_unit()),
                        q.pressure(*index.sigma_p));
            if (index.ocr) put_entry(out, "OVERCONSOLIDATION RATIO OCR", fixed_text(*index.ocr, 2));
            if (index.pop)
              put_entry(out, with_unit("PRE-OVERBURDEN PRESSURE POP", q.pressure_unit()),
                        q.pressure(*index.pop));
          },
          [&](const soils::Modulus& modulus) {
            // mv spans decades between soils and unit systems, so it is shown
            // with its exponent.
            if (modulus.mv)
              put_entry(out,
                        with_unit("COEFF. OF VOLUME COMPRESSIBILITY MV", q.compressibility_unit()),
                        scientific_text(*modulus.mv, 3));
            if (modulus.constrained_modulus)
              put_entry(out, with_unit("CONSTRAINED MODULUS M", q.pressure_unit()),
                        q.pressure(*modulus.constrained_modulus));
          },
      },
      model);
}

bool has_generated_curve(const soils::Model& model) {
  return std::visit(Overloaded{
                        [](const soils::Curve&) { return false; },
                        [](const soils::Slope&) { return false; },
                        [](const soils::IndexSoil&) { return true; },
                        [](const soils::Modulus&) { return true; },
                    },
                    model);
}

// The mean initial effective stress of the layer's sublayers (equal in
// thickness, so the layer's mid-depth value where the stress is linear).
std::optional<double> mean_initial_stress(const analysis::SiteResults& results, std::size_t layer) {
  double sum = 0.0;
  int count = 0;
  for (const analysis::ResultSublayer& sublayer : results.sublayers) {
    if (sublayer.layer != layer) continue;
    sum += sublayer.sigma_eff0;
    ++count;
  }
  if (count == 0 || !(sum > 0.0)) return std::nullopt;
  return sum / count;
}

// The stresses of a generated curve: the initial one doubled four times, with
// an index soil's preconsolidation pressure where it lies between.
std::vector<double> curve_stresses(double initial, std::optional<double> preconsolidation) {
  std::vector<double> stresses;
  for (const double factor : {1.0, 2.0, 4.0, 8.0, 16.0}) stresses.push_back(initial * factor);
  if (preconsolidation && *preconsolidation > initial && *preconsolidation < 16.0 * initial &&
      std::find(stresses.begin(), stresses.end(), *preconsolidation) == stresses.end()) {
    stresses.push_back(*preconsolidation);
    std::sort(stresses.begin(), stresses.end());
  }
  return stresses;
}

std::string layer_label(const site::Project& project, std::size_t layer) {
  std::string label = "LAYER " + std::to_string(layer + 1);
  if (project.layers[layer].name) label += "  " + *project.layers[layer].name;
  return label;
}

}  // namespace

const soils::Soil* soil_of_layer(const site::Project& project, std::size_t layer) {
  for (const soils::Soil& soil : project.soils)
    if (soil.name == project.layers[layer].soil) return &soil;
  return nullptr;
}

void write_soil_table(layout::RecordWriter& out, TableTitles& titles, const site::Project& project,
                      const QuantityText& q) {
  titles.write(out, "SOILS AND THEIR COMPRESSIBILITY");
  for (std::size_t i = 0; i < project.soils.size(); ++i) {
    const soils::Soil& soil = project.soils[i];
    if (i > 0) out.put("");
    put_note(out, "SOIL " + std::to_string(i + 1) + "  " + soil.name + "  -  " +
                      model_description(soil.model));
    if (soil.source) put_note(out, "          SOURCE: " + *soil.source);
    out.put("");
    write_model_parameters(out, soil.model, q);
    if (soil.e0) put_entry(out, "INITIAL VOID RATIO E0", fixed_text(*soil.e0, 3));
    if (soil.cv)
      put_entry(out, with_unit("COEFF. OF CONSOLIDATION CV", q.cv_unit()), fixed_text(*soil.cv, 4));
    if (soil.c_alpha)
      put_entry(out, "SECONDARY COMPRESSION INDEX C_ALPHA", fixed_text(*soil.c_alpha, 4));
    if (soil.free_draining) put_entry(out, "FREE DRAINING", "YES: CONSOLIDATES AT ONCE");
  }
}

void write_generated_curves(layout::RecordWriter& out, TableTitles& titles,
                            const site::Project& project, const analysis::SiteResults& results,
                            const QuantityText& q) {
  bool titled = false;
  for (std::size_t layer = 0; layer < project.layers.size(); ++layer) {
    const soils::Soil* soil = soil_of_layer(project, layer);
    if (soil == nullptr || !has_generated_curve(soil->model)) continue;
    const std::optional<double> initial = mean_initial_stress(results, layer);
    if (!initial) continue;
    if (!titled) {
      titles.write(out, "CURVES GENERATED FROM SOIL PARAMETERS");
      put_note(out, "THE STRAIN EACH LAYER'S SOIL GIVES FROM THE LAYER'S MEAN INITIAL EFFECTIVE");
      put_note(out, "STRESS SIGMA'0 TO A HIGHER EFFECTIVE STRESS SIGMA'.");
      titled = true;
    }
    out.put("");
    put_note(out, layer_label(project, layer) + "  -  SOIL " + soil->name);
    out.put("");
    put_entry(out, with_unit("MEAN INITIAL EFFECTIVE STRESS SIGMA'0", q.pressure_unit()),
              q.pressure(*initial));
    std::optional<double> preconsolidation;
    if (std::holds_alternative<soils::IndexSoil>(soil->model)) {
      preconsolidation = soils::preconsolidation_pressure(*soil, *initial);
      put_entry(out, with_unit("PRECONSOLIDATION PRESSURE SIGMA'P", q.pressure_unit()),
                q.pressure(*preconsolidation));
    }
    out.put("");
    TextTable curve({{{"SIGMA'", std::string(q.pressure_unit())}}, {{"STRAIN", "%"}}});
    for (const double stress : curve_stresses(*initial, preconsolidation))
      curve.add_row(
          {q.pressure(stress), q.percent_of(soils::strain_change(*soil, *initial, stress).strain)});
    curve.write(out);
  }
}

void write_layer_tables(layout::RecordWriter& out, TableTitles& titles,
                        const site::Project& project, const QuantityText& q) {
  const std::string length(q.length_unit());
  const std::string weight(q.unit_weight_unit());
  titles.write(out, "SOIL LAYERS");
  TextTable layers({{{"LAYER", "NO."}},
                    {{"NAME"}, Align::kLeft},
                    {{"TOP", length}},
                    {{"BOTTOM", length}},
                    {{"SOIL"}, Align::kLeft},
                    {{"UNIT", "WEIGHT", weight}},
                    {{"SATURATED", "UNIT WEIGHT", weight}},
                    {{"HEAD", "AT TOP*", length}},
                    {{"HEAD AT", "BOTTOM*", length}},
                    {{"THICKNESS", "FACTOR"}}});
  double top = 0.0;
  bool heads = false;
  for (std::size_t i = 0; i < project.layers.size(); ++i) {
    const site::Layer& layer = project.layers[i];
    const auto optional_length = [&](const std::optional<double>& value) {
      return value ? q.length(*value) : std::string();
    };
    heads = heads || layer.head_top || layer.head_bottom;
    layers.add_row({std::to_string(i + 1), layer.name.value_or(""), q.length(top),
                    q.length(layer.bottom), layer.soil, q.unit_weight(layer.unit_weight),
                    q.unit_weight(layer.saturated_unit_weight.value_or(layer.unit_weight)),
                    optional_length(layer.head_top), optional_length(layer.head_bottom),
                    fixed_text(layer.thickness_factor, 2)});
    top = layer.bottom;
  }
  layers.write(out);
  out.put("");
  if (heads)
    put_note(out,
             "* PIEZOMETRIC LEVELS AS DEPTHS (NEGATIVE: ABOVE THE GROUND); BLANK: HYDROSTATIC");
  else
    put_note(out, "* NO LAYER GIVES PIEZOMETRIC LEVELS: ITS PORE PRESSURE IS HYDROSTATIC");

  titles.write(out, "GROUNDWATER");
  if (!project.groundwater) {
    put_note(out, "NO GROUNDWATER TABLE: THE GROUND IS DRY, EXCEPT WHERE A LAYER GIVES HEADS.");
    return;
  }
  const site::Groundwater& water = *project.groundwater;
  const bool us = project.units == site::Units::kUs;
  put_entry(out, with_unit("DEPTH OF THE WATER TABLE", length), q.length(water.water_table));
  put_entry(out, with_unit("DEPTH OF THE FINAL WATER TABLE", length),
            water.final_water_table ? q.length(*water.final_water_table) : "UNCHANGED");
  put_entry(out, with_unit("UNIT WEIGHT OF WATER", weight),
            q.unit_weight(water.unit_weight.value_or(us ? 62.4 : 9.81)));
}

void write_point_table(layout::RecordWriter& out, TableTitles& titles, const site::Project& project,
                       const QuantityText& q) {
  const std::string length(q.length_unit());
  titles.write(out, "SETTLEMENT POINTS");
  TextTable points({{{"POINT", "NO."}},
                    {{"NAME"}, Align::kLeft},
                    {{"X", length}},
                    {{"Y", length}},
                    {{"START", "LAYER*"}}});
  for (std::size_t j = 0; j < project.points.size(); ++j) {
    const site::Point& point = project.points[j];
    points.add_row({std::to_string(j + 1), point.name.value_or(""), q.length(point.x),
                    q.length(point.y), std::to_string(point.start_layer)});
  }
  points.write(out);
  out.put("");
  put_note(out, "* THE FIRST LAYER COUNTED IN THE POINT'S SETTLEMENT; 0 COUNTS EVERY LAYER");
}

void write_consolidation_table(layout::RecordWriter& out, TableTitles& titles,
                               const site::Project& project, const QuantityText& q) {
  if (!project.consolidation) return;
  const site::Consolidation& consolidation = *project.consolidation;
  const std::string length(q.length_unit());
  titles.write(out, "TIME-RATE ANALYSIS");
  std::string times;
  for (const double t : consolidation.times) times += (times.empty() ? "" : ", ") + q.time(t);
  put_entry(out, with_unit("OUTPUT TIMES", q.time_unit()), times);
  put_entry(out, "DRAINAGE AT THE GROUND SURFACE",
            upper_text(site::name_of(site::kDrainageNames, consolidation.top)));
  put_entry(out, "DRAINAGE AT THE BASE OF THE PROFILE",
            upper_text(site::name_of(site::kDrainageNames, consolidation.bottom)));
  if (!project.drains) {
    put_entry(out, "VERTICAL DRAINS", "NONE");
    return;
  }
  const site::Drains& drains = *project.drains;
  put_entry(out, "VERTICAL DRAINS, PATTERN",
            upper_text(site::name_of(site::kDrainPatternNames, drains.pattern)));
  put_entry(out, with_unit("DRAIN SPACING", length), q.length(drains.spacing));
  put_entry(out, with_unit("EQUIVALENT DRAIN DIAMETER", length), q.length(drains.diameter));
  put_entry(out, "SMEAR RATIO", fixed_text(drains.smear_ratio, 2));
  put_entry(out, "PERMEABILITY RATIO KH/KS", fixed_text(drains.kh_over_ks, 2));
  put_entry(out, "CH/CV", fixed_text(drains.ch_over_cv, 2));
  put_entry(out, with_unit("DISCHARGE CAPACITY", q.flow_unit()),
            drains.discharge_capacity ? fixed_text(*drains.discharge_capacity, 2)
                                      : "UNLIMITED (NO WELL RESISTANCE)");
  put_entry(out, with_unit("DEPTH REACHED", length),
            drains.bottom ? q.length(*drains.bottom) : "THE BASE OF THE PROFILE");
  put_entry(out, with_unit("INSTALLED AT TIME", q.time_unit()), q.time(drains.installed));
}

}  // namespace report
