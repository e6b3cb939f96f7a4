// Reading settle-plot's command line.
#include "plot/plot_options.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <string_view>
#include <vector>

#include "run/project_driver.h"

namespace plot {
namespace {

std::string lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

bool ends_with(std::string_view name, std::string_view tail) {
  const std::string low = lower(name);
  return low.size() > tail.size() && low.compare(low.size() - tail.size(), tail.size(), tail) == 0;
}

// A whole decimal number, nothing before or after it.
std::optional<double> number(std::string_view text) {
  double value = 0.0;
  const char* end = text.data() + text.size();
  const auto [ptr, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || ptr != end || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<std::int32_t> integer(std::string_view text) {
  std::int32_t value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || ptr != end) return std::nullopt;
  return value;
}

// A ratio written as a decimal (0.002) or as one over a number (1/500).
std::optional<double> ratio(std::string_view text) {
  if (const std::size_t slash = text.find('/'); slash != std::string_view::npos) {
    const auto top = number(text.substr(0, slash));
    const auto bottom = number(text.substr(slash + 1));
    if (!top || !bottom || *bottom == 0.0) return std::nullopt;
    return *top / *bottom;
  }
  return number(text);
}

// Numbers separated by commas, none missing.
std::optional<std::vector<double>> number_list(std::string_view text) {
  std::vector<double> values;
  while (true) {
    const std::size_t comma = text.find(',');
    const auto value = number(text.substr(0, comma));
    if (!value) return std::nullopt;
    values.push_back(*value);
    if (comma == std::string_view::npos) break;
    text.remove_prefix(comma + 1);
  }
  return values;
}

std::optional<SectionLine> section(std::string_view text) {
  const auto values = number_list(text);
  if (!values || values->size() != 4) return std::nullopt;
  const SectionLine line{(*values)[0], (*values)[1], (*values)[2], (*values)[3]};
  if (line.x1 == line.x2 && line.y1 == line.y2) return std::nullopt;
  return line;
}

std::optional<ExtentBox> extent(std::string_view text) {
  const auto values = number_list(text);
  if (!values || values->size() != 4) return std::nullopt;
  const ExtentBox box{(*values)[0], (*values)[1], (*values)[2], (*values)[3]};
  if (!(box.x1 < box.x2 && box.y1 < box.y2)) return std::nullopt;
  return box;
}

std::optional<std::vector<double>> increasing_levels(std::string_view text) {
  auto values = number_list(text);
  if (!values) return std::nullopt;
  for (std::size_t k = 1; k < values->size(); ++k) {
    if (!((*values)[k - 1] < (*values)[k])) return std::nullopt;
  }
  return values;
}

std::string_view trim(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
    text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
    text.remove_suffix(1);
  return text;
}

// "Tank A=1-4,7;Tank B=5,6": groups apart by semicolons, each a name, an
// equals sign and point numbers or ranges of them apart by commas.
std::optional<std::vector<StructureGroup>> structure_groups(std::string_view text) {
  std::vector<StructureGroup> groups;
  while (!trim(text).empty()) {
    const std::size_t semicolon = text.find(';');
    const std::string_view group = text.substr(0, semicolon);
    text = semicolon == std::string_view::npos ? std::string_view() : text.substr(semicolon + 1);
    const std::size_t equals = group.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    StructureGroup structure{std::string(trim(group.substr(0, equals))), {}};
    if (structure.name.empty()) return std::nullopt;
    for (const auto& other : groups) {
      if (other.name == structure.name) return std::nullopt;
    }
    std::string_view numbers = group.substr(equals + 1);
    while (true) {
      const std::size_t comma = numbers.find(',');
      const std::string_view item = trim(numbers.substr(0, comma));
      const std::size_t dash = item.find('-', 1);
      const auto first = integer(trim(item.substr(0, dash)));
      const auto last =
          dash == std::string_view::npos ? first : integer(trim(item.substr(dash + 1)));
      if (!first || !last || *last < *first || *last - *first > 10000) return std::nullopt;
      for (std::int32_t n = *first; n <= *last; ++n) structure.point_numbers.push_back(n);
      if (comma == std::string_view::npos) break;
      numbers.remove_prefix(comma + 1);
    }
    groups.push_back(std::move(structure));
  }
  if (groups.empty()) return std::nullopt;
  return groups;
}

CommandLineComplaint complaint(std::string text) { return {std::move(text)}; }

}  // namespace

PlotCommand parse_plot_command(int argc, const char* const* argv) {
  PlotOptions options;
  bool page_given = false;
  for (int k = 1; k < argc; ++k) {
    std::string_view argument = argv[k];
    if (argc == 2 && argument == "--help") return HelpRequest{};
    if (argc == 2 && argument == "--version") return VersionRequest{};
    if (argument.substr(0, 2) != "--" && run::is_project_file(argument)) {
      if (options.project)
        return complaint("one project file at most, not '" + std::string(argument) + "'");
      options.project = std::string(argument);
      continue;
    }
    if (argument.substr(0, 2) != "--") {
      if (page_given)
        return complaint("one page name at most, not '" + std::string(argument) + "'");
      if (argument.empty() || argument.front() == '-') {
        return complaint("unknown argument '" + std::string(argument) + "'");
      }
      if (!ends_with(argument, ".html") && !ends_with(argument, ".htm")) {
        return complaint("the page name '" + std::string(argument) +
                         "' does not end in .html or .htm");
      }
      options.page = argument;
      page_given = true;
      continue;
    }
    // "--name=value" or "--name value".
    std::string_view name = argument;
    std::optional<std::string_view> value;
    if (const std::size_t equals = argument.find('='); equals != std::string_view::npos) {
      name = argument.substr(0, equals);
      value = argument.substr(equals + 1);
    }
    const auto take_value = [&]() -> std::optional<std::string_view> {
      if (value) return value;
      if (k + 1 < argc) return std::string_view(argv[++k]);
      return std::nullopt;
    };
    const std::string named(name);
    if (name == "--grid-spacing") {
      const auto text = take_value();
      const auto spacing = text ? number(*text) : std::nullopt;
      if (!spacing || *spacing <= 0.0) {
        return complaint("--grid-spacing takes a length greater than 0, not '" +
                         std::string(text.value_or("")) + "'");
      }
      options.grid_spacing = spacing;
    } else if (name == "--start-layer") {
      const auto text = take_value();
      const auto layer = text ? integer(*text) : std::nullopt;
      if (!layer) {
        return complaint("--start-layer takes a layer number, not '" +
                         std::string(text.value_or("")) + "'");
      }
      options.start_layer = layer;
    } else if (name == "--grid-csv" || name == "--plan-svg") {
      const auto text = take_value();
      const std::string_view ending = name == "--grid-csv" ? ".csv" : ".svg";
      if (!text || !ends_with(*text, ending)) {
        return complaint(named + " takes a file name ending in " + std::string(ending) + ", not '" +
                         std::string(text.value_or("")) + "'");
      }
      (name == "--grid-csv" ? options.grid_csv : options.plan_svg) = std::string(*text);
    } else if (name == "--distortion-limit") {
      const auto text = take_value();
      const auto limit = text ? ratio(*text) : std::nullopt;
      // An angular distortion is a slope: 1 is 45 degrees, past any structure.
      if (!limit || *limit <= 0.0 || *limit >= 1.0) {
        return complaint(
            "--distortion-limit takes a ratio between 0 and 1, as 0.002 or 1/500, "
            "not '" +
            std::string(text.value_or("")) + "'");
      }
      options.distortion_limit = *limit;
      options.distortion_limit_text = std::string(*text);
    } else if (name == "--extent") {
      const auto text = take_value();
      const auto box = text ? extent(*text) : std::nullopt;
      if (!box) {
        return complaint(
            "--extent takes X1,Y1,X2,Y2, the lower left corner and the upper right one, not '" +
            std::string(text.value_or("")) + "'");
      }
      options.extent = box;
    } else if (name == "--interval") {
      const auto text = take_value();
      const auto interval = text ? number(*text) : std::nullopt;
      if (!interval || *interval <= 0.0) {
        return complaint("--interval takes a contour interval greater than 0, not '" +
                         std::string(text.value_or("")) + "'");
      }
      options.contour_interval = interval;
    } else if (name == "--levels") {
      const auto text = take_value();
      const auto levels = text ? increasing_levels(*text) : std::nullopt;
      if (!levels) {
        return complaint("--levels takes contour levels in increasing order, as 0.5,1,2, not '" +
                         std::string(text.value_or("")) + "'");
      }
      options.contour_levels = *levels;
    } else if (name == "--stress-depth") {
      const auto text = take_value();
      const auto depth = text ? number(*text) : std::nullopt;
      if (!depth || *depth < 0.0) {
        return complaint("--stress-depth takes a depth of 0 or more, not '" +
                         std::string(text.value_or("")) + "'");
      }
      options.stress_depth = depth;
    } else if (name == "--structures") {
      const auto text = take_value();
      const auto groups = text ? structure_groups(*text) : std::nullopt;
      if (!groups) {
        return complaint(
            "--structures takes NAME=POINTS;NAME=POINTS with point numbers and ranges, as "
            "\"Tank A=1-4,7;Tank B=5,6\", each name once, not '" +
            std::string(text.value_or("")) + "'");
      }
      options.structures = *groups;
    } else if (name == "--no-area-labels") {
      if (value)
        return complaint("--no-area-labels takes no value, not '" + std::string(*value) + "'");
      options.area_labels = false;
    } else if (name == "--profile-point") {
      const auto text = take_value();
      if (!text || text->empty())
        return complaint("--profile-point takes the name of a point of the project");
      options.profile_point = std::string(*text);
    } else if (name == "--study-grid-samples") {
      const auto text = take_value();
      // Read into a plain count: GCC 12 for MinGW sees the optional of a
      // conditional as maybe unset where it is widened.
      std::int64_t count = 0;
      if (text) {
        if (const std::optional<std::int32_t> read = integer(*text)) count = read.value();
      }
      if (count < 1) {
        return complaint("--study-grid-samples takes a whole number of 1 or more, not '" +
                         std::string(text.value_or("")) + "'");
      }
      options.study_grid_samples = count;
    } else if (name == "--time") {
      const auto text = take_value();
      const auto time = text ? number(*text) : std::nullopt;
      if (!time || *time < 0.0) {
        return complaint("--time takes a time of 0 or more, in the project's time unit, not '" +
                         std::string(text.value_or("")) + "'");
      }
      options.time = time;
    } else if (name == "--time-point") {
      const auto text = take_value();
      if (!text || text->empty())
        return complaint("--time-point takes the name of a point of the project");
      options.time_point = std::string(*text);
    } else if (name == "--section") {
      const auto text = take_value();
      const auto line = text ? section(*text) : std::nullopt;
      if (!line) {
        return complaint("--section takes X1,Y1,X2,Y2, two different ends, not '" +
                         std::string(text.value_or("")) + "'");
      }
      options.section = line;
    } else {
      return complaint("unknown argument '" + std::string(argument) + "'");
    }
  }
  // A project's page stands beside it, named after it, as settle's results do.
  if (options.project && !page_given)
    options.page = std::filesystem::path(*options.project).replace_extension(".html").string();
  if (options.profile_point && !options.project)
    return complaint("--profile-point names a point of a project file; give the project file");
  if ((options.time || options.time_point) && !options.project)
    return complaint(std::string(options.time ? "--time" : "--time-point") +
                     " is for a project file in time; give the project file");
  if (options.contour_interval && !options.contour_levels.empty())
    return complaint("--levels and --interval cannot both be given");
  return options;
}

}  // namespace plot
