// The report record and the console text of a value fault.
#include "report/value_faults.h"

#include "layout/decimal_text.h"
#include "layout/layout.h"
#include "layout/render.h"
#include "layout/value.h"
#include "report/report_layouts.h"

namespace report {
namespace {

using layout::shortest_text;
using layout::Value;
using problem::ValueFaultKind;

std::string area_name(const problem::FixedText<4>& id) {
  std::string name(id.view());
  name.erase(name.find_last_not_of(' ') + 1);
  name.erase(0, name.find_first_not_of(' '));
  return name.empty() ? std::string("(no identifier)") : name;
}

// "point P, sublayer m at depth D ft": where below a point a result stands.
std::string sublayer_place(const problem::ValueFault& f, const std::string& length) {
  std::string text = "point " + std::to_string(f.number);
  if (f.row >= 1) {
    text += ", sublayer " + std::to_string(f.row) + " at depth " + shortest_text(f.depth) + " " +
            length;
  }
  return text;
}

}  // namespace

void write_value_fault(layout::RecordWriter& out, const problem::ValueFault& f) {
  static const layout::Layout kCurveStrain = layout::parse_layout(kCurveStrainFaultLayout);
  static const layout::Layout kFactor = layout::parse_layout(kThicknessFactorFaultLayout);
  static const layout::Layout kArea = layout::parse_layout(kVanishedAreaFaultLayout);
  static const layout::Layout kStress = layout::parse_layout(kStressFaultLayout);
  static const layout::Layout kPressure = layout::parse_layout(kFinalPressureFaultLayout);
  static const layout::Layout kStrain = layout::parse_layout(kSublayerStrainFaultLayout);
  static const layout::Layout kSettlement = layout::parse_layout(kSettlementFaultLayout);
  static const layout::Layout kTotal = layout::parse_layout(kTotalFaultLayout);
  static const layout::Layout kPlace = layout::parse_layout(kPlaceFaultLayout);
  const Value number = Value::of(f.number);
  const Value row = Value::of(static_cast<std::int32_t>(f.row));
  switch (f.kind) {
    case ValueFaultKind::kCurveStrain:
      return layout::write_record(out, kCurveStrain, {number, row, Value::of(f.value)});
    case ValueFaultKind::kNegativeThicknessFactor:
      return layout::write_record(out, kFactor, {number, Value::of(f.value)});
    case ValueFaultKind::kAreaVanishes:
      return layout::write_record(
          out, kArea,
          {Value::of(f.area_id.view()), Value::of(f.value), Value::of(f.other), Value::of(f.third),
           Value::of(f.fourth), Value::of(f.fifth)});
    case ValueFaultKind::kStressNotFinite:
      return layout::write_record(out, kStress, {number, row});
    case ValueFaultKind::kPressureNotPositive:
      return layout::write_record(
          out, kPressure,
          {number, row, Value::of(f.other), Value::of(f.value), Value::of(f.curve)});
    case ValueFaultKind::kSublayerStrain:
      return layout::write_record(
          out, kStrain, {number, row, Value::of(f.value), Value::of(f.other), Value::of(f.curve)});
    case ValueFaultKind::kSettlementNotFinite:
      return layout::write_record(out, kSettlement, {number, row});
    case ValueFaultKind::kTotalNotFinite:
      return layout::write_record(out, kTotal, {number});
    case ValueFaultKind::kPlaceNotFinite:
      return layout::write_record(out, kPlace, {Value::of(f.value), Value::of(f.other)});
  }
}

std::string value_fault_text(const problem::ProblemData& problem, const problem::ValueFault& f) {
  const bool si = problem.unit_system == problem::kSiAbsolute;
  const std::string length = si ? "m" : "ft";
  const std::string pressure = si ? "kPa" : "ksf";
  switch (f.kind) {
    case ValueFaultKind::kCurveStrain:
      return "soil compressibility " + std::to_string(f.number) + ", point " +
             std::to_string(f.row) + ": a strain of " + shortest_text(f.value) +
             " % compresses the soil to nothing, and a settlement is divided by 100 % less the "
             "strain; strains must stay below 100 %";
    case ValueFaultKind::kNegativeThicknessFactor:
      return "layer " + std::to_string(f.number) + " has a thickness factor of " +
             shortest_text(f.value) +
             ": a negative factor turns every settlement of the layer into a heave; give a "
             "factor of 0 or more";
    case ValueFaultKind::kAreaVanishes:
      return "area " + area_name(f.area_id) + " of " + shortest_text(f.value) + " by " +
             shortest_text(f.other) + " " + length + " at a slope of " + shortest_text(f.third) +
             " has sides of " + shortest_text(f.fourth) + " by " + shortest_text(f.fifth) + " " +
             length +
             " once its corners are placed: so steep a slope loses the area in single precision; "
             "an area turned by a right angle is the same area with its X and Y lengths swapped";
    case ValueFaultKind::kStressNotFinite:
      return sublayer_place(f, length) + ": the average stress increase is " +
             shortest_text(f.value) +
             ", not a finite number: a loading or a coordinate too large for single precision";
    case ValueFaultKind::kPressureNotPositive:
      if (!(f.value > 0.0f)) {
        return sublayer_place(f, length) + ": the final pressure " + shortest_text(f.value) + " " +
               pressure + " (initial " + shortest_text(f.other) + ", increase " +
               shortest_text(f.third) + ") is not above 0, and soil compressibility " +
               std::to_string(f.curve) +
               " is read in the logarithm of the pressure: an unloading larger than the "
               "overburden pressure";
      }
      return sublayer_place(f, length) + ": the initial pressure " + shortest_text(f.other) + " " +
             pressure + " is not above 0, and the logarithmic slope line of soil compressibility " +
             std::to_string(f.curve) +
             " measures the settlement from it (the logarithm of the final pressure over the "
             "initial one): the soil above weighs nothing";
    case ValueFaultKind::kSublayerStrain:
      return sublayer_place(f, length) + ": the strain reaches " + shortest_text(f.value) +
             " % under a final pressure of " + shortest_text(f.other) + " " + pressure +
             " on soil compressibility " + std::to_string(f.curve) +
             ": the soil would be compressed to nothing; give curve points or a slope for such "
             "pressures, or check the loading";
    case ValueFaultKind::kSettlementNotFinite:
      return sublayer_place(f, length) + ": the settlement is " + shortest_text(f.value) +
             ", not a finite number";
    case ValueFaultKind::kTotalNotFinite:
      return sublayer_place(f, length) + ": the total settlement is " + shortest_text(f.value) +
             ", not a finite number";
    case ValueFaultKind::kPlaceNotFinite:
      return "the settlement at x = " + shortest_text(f.value) + ", y = " + shortest_text(f.other) +
             " " + length + " is " + shortest_text(f.third) + ", not a finite number";
  }
  return {};
}

}  // namespace report
