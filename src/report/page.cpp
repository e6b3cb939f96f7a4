// Report pages: page ejects, the boxed banner with the problem title, the unit
// labels and the continuation label.
#include "report/page.h"

#include <array>

#include "layout/layout.h"
#include "layout/render.h"
#include "layout/value.h"
#include "report/report_layouts.h"

namespace report {
namespace {

constexpr int kTitleGroups = 17;
constexpr int kGroupWidth = 4;

struct LabelPair {
  std::string_view us;
  std::string_view si;
};

// Indexed by LabelSet; the blanks belong to the labels, which are printed in
// fields of exactly their width.
constexpr std::array<LabelPair, 7> kLabels = {{
    {"KSF", "KPA"},
    {"FT", "M "},
    {"UNIT", "MASS"},
    {"WEIGHT ", "DENSITY"},
    {"LB/FT**3", " KG/M**3"},
    {"TOTAL(In.)", "TOTAL(mm) "},
    {"INCHES     ", "MILLIMETRES"},
}};

}  // namespace

void write_form_feed(layout::RecordWriter& report) {
  static const layout::Layout kLayout = layout::parse_layout(kFormFeedLayout);
  static constexpr char kFormFeed[] = {'\f'};
  layout::write_record(report, kLayout,
                       {layout::Value::of(std::string_view(kFormFeed, sizeof kFormFeed))});
}

void write_digit_one(layout::RecordWriter& report) {
  static const layout::Layout kLayout = layout::parse_layout(kDigitOneLayout);
  layout::write_record(report, kLayout, {});
}

namespace {

void write_page_eject(layout::RecordWriter& report, Eject eject) {
  write_form_feed(report);
  if (eject == Eject::kDoubled) write_digit_one(report);
}

void write_banner(layout::RecordWriter& report, const problem::ProblemData& problem) {
  static const layout::Layout kLayout = layout::parse_layout(kBannerLayout);
  // The title is held as two lines of 68 characters; the banner takes them as
  // the 34 four-character groups they were read in.
  std::array<layout::Value, 2 * kTitleGroups> groups{};
  for (std::size_t line = 0; line < 2; ++line) {
    const std::string_view text = problem.title[line].view();
    for (std::size_t g = 0; g < kTitleGroups; ++g) {
      groups[line * kTitleGroups + g] =
          layout::Value::of(text.substr(g * kGroupWidth, kGroupWidth));
    }
  }
  layout::write_record(report, kLayout, groups);
}

}  // namespace

void start_page(layout::RecordWriter& report, Eject eject, const problem::ProblemData& problem) {
  write_page_eject(report, eject);
  write_banner(report, problem);
}

std::string_view unit_label(LabelSet set, std::int32_t unit_system) {
  const LabelPair& pair = kLabels[static_cast<std::size_t>(set)];
  return unit_system == problem::kSiAbsolute ? pair.si : pair.us;
}

std::string_view continuation_label(int page_index) {
  return page_index == 0 ? std::string_view("      ") : std::string_view("(CONT)");
}

}  // namespace report
