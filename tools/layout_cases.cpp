// layout_cases FILE...: runs golden cases of the layout engine (writes through
// fixed layouts and free-form output, fixed and free-form reads) and reports
// every case whose outcome differs, then "N passed, M failed".
#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "layout/fatal_error.h"
#include "layout/fixed_input.h"
#include "layout/free_form_input.h"
#include "layout/free_form_output.h"
#include "layout/layout.h"
#include "layout/record_reader.h"
#include "layout/render.h"
#include "support/rendered_records.h"

namespace {

// An integer, real or text as a case file writes it after VALUE, TARGET or GOT.
struct Datum {
  char kind = 'I';  // 'I', 'F' or 'A'
  std::int32_t integer = 0;
  std::uint32_t bits = 0;
  std::string text;  // the readable decimal for 'F', the text for 'A'
};

std::string show(const Datum& d) {
  if (d.kind == 'I') return "I " + std::to_string(d.integer);
  if (d.kind == 'A') return "A |" + d.text + "|";
  char hex[16];
  std::snprintf(hex, sizeof hex, "%08x", d.bits);
  return std::string("F ") + hex + " " + d.text;
}

bool same(const Datum& a, const Datum& b) {
  if (a.kind != b.kind) return false;
  if (a.kind == 'I') return a.integer == b.integer;
  if (a.kind == 'F') return a.bits == b.bits;
  return a.text == b.text;
}

struct Read {
  bool fixed = false;
  std::string layout;
  std::vector<Datum> targets;
  std::vector<Datum> got;
  std::string error;  // EOF, CONVERSION or MALFORMED; empty when GOT lines follow
};

struct Case {
  std::string id;
  std::string note;
  std::string where;  // file:line of its CASE line
  bool is_write = false;
  std::string layout;  // "*" for free-form output
  std::vector<Datum> values;
  std::vector<std::string> records;
  std::vector<std::string> lines;
  std::vector<Read> reads;
};

struct Failure {
  std::string message;
};

// The text between the first and the last bar of `payload`.
std::string bar_text(const std::string& payload) {
  const auto first = payload.find('|');
  const auto last = payload.rfind('|');
  if (first == std::string::npos || last == first) throw Failure{"text payload without bars"};
  return payload.substr(first + 1, last - first - 1);
}

Datum parse_datum(const std::string& payload) {
  Datum d;
  if (payload.size() < 2 || payload[1] != ' ') throw Failure{"malformed value: " + payload};
  d.kind = payload[0];
  const std::string rest = payload.substr(2);
  if (d.kind == 'I') {
    d.integer = static_cast<std::int32_t>(std::stol(rest));
  } else if (d.kind == 'F') {
    d.bits = static_cast<std::uint32_t>(std::stoul(rest.substr(0, 8), nullptr, 16));
    d.text = rest.size() > 9 ? rest.substr(9) : "";
  } else if (d.kind == 'A') {
    d.text = bar_text(rest);
  } else {
    throw Failure{"unknown value kind: " + payload};
  }
  return d;
}

std::string unescape_tabs(const std::string& s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\\' && i + 1 < s.size() && s[i + 1] == 't') {
      out += '\t';
      ++i;
    } else {
      out += s[i];
    }
  }
  return out;
}

// Reads every case of `path`; a malformed file ends the run.
std::vector<Case> load_cases(const std::string& path) {
  std::ifstream in(path);
  if (!in) throw Failure{"cannot open " + path};
  std::vector<Case> cases;
  std::optional<Case> current;
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    const auto blank = line.find(' ');
    const std::string key = line.substr(0, blank);
    const std::string payload = blank == std::string::npos ? "" : line.substr(blank + 1);
    const std::string where = path + ":" + std::to_string(number);
    if (key == "CASE") {
      if (current) throw Failure{where + ": CASE inside a case"};
      current.emplace();
      current->id = payload.substr(0, payload.find(' '));
      current->where = where;
      continue;
    }
    if (!current) throw Failure{where + ": " + key + " outside a case"};
    Case& c = *current;
    if (key == "NOTE") {
      c.note = payload;
    } else if (key == "LAYOUT") {
      c.is_write = true;
      c.layout = payload;
    } else if (key == "VALUE") {
      c.values.push_back(parse_datum(payload));
    } else if (key == "RECORD") {
      c.records.push_back(bar_text(payload));
    } else if (key == "LINE") {
      c.lines.push_back(unescape_tabs(bar_text(payload)));
    } else if (key == "READ") {
      Read r;
      r.fixed = payload.rfind("FIXED ", 0) == 0;
      if (r.fixed) {
        r.layout = payload.substr(6);
      } else if (payload != "FREE") {
        throw Failure{where + ": unknown read " + payload};
      }
      c.reads.push_back(r);
    } else if (key == "TARGET" || key == "GOT" || key == "ERROR") {
      if (c.reads.empty()) throw Failure{where + ": " + key + " before READ"};
      Read& r = c.reads.back();
      if (key == "TARGET") r.targets.push_back(parse_datum(payload));
      if (key == "GOT") r.got.push_back(parse_datum(payload));
      if (key == "ERROR") r.error = payload;
    } else if (key == "END") {
      cases.push_back(std::move(c));
      current.reset();
    } else {
      throw Failure{where + ": unknown keyword " + key};
    }
  }
  if (current) throw Failure{path + ": last case has no END"};
  return cases;
}

// The difference of a write case, empty when it passes.
std::string run_write_case(const Case& c) {
  std::vector<layout::Value> values;
  for (const Datum& d : c.values) {
    if (d.kind == 'I') values.push_back(layout::Value::of(d.integer));
    if (d.kind == 'F') values.push_back(layout::Value::of(std::bit_cast<float>(d.bits)));
    if (d.kind == 'A') values.push_back(layout::Value::of(std::string_view(d.text)));
  }
  const std::vector<std::string> got =
      c.layout == "*" ? testing_support::render_free_form(values)
                      : testing_support::render_records(layout::parse_layout(c.layout), values);
  if (got == c.records) return {};
  std::string diff = "  layout " + c.layout + "\n";
  const std::size_t n = std::max(got.size(), c.records.size());
  for (std::size_t i = 0; i < n; ++i) {
    const bool has_expected = i < c.records.size();
    const bool has_got = i < got.size();
    if (has_expected && has_got && got[i] == c.records[i]) {
      diff += "    record |" + got[i] + "|\n";
      continue;
    }
    if (has_expected) diff += "  - expected |" + c.records[i] + "|\n";
    if (has_got) diff += "  + got      |" + got[i] + "|\n";
  }
  return diff;
}

const char* error_name(layout::FatalKind kind) {
  switch (kind) {
    case layout::FatalKind::kEndOfFile:
      return "EOF";
    case layout::FatalKind::kConversion:
      return "CONVERSION";
    case layout::FatalKind::kListSyntax:
      return "MALFORMED";
    default:
      return "OTHER";
  }
}

bool error_matches(const std::string& expected, layout::FatalKind kind) {
  if (expected == "EOF") return kind == layout::FatalKind::kEndOfFile;
  if (expected == "CONVERSION") return kind == layout::FatalKind::kConversion;
  if (expected == "MALFORMED") {
    return kind == layout::FatalKind::kListSyntax || kind == layout::FatalKind::kConversion;
  }
  return false;
}

// Runs one read over `in`; returns the difference, empty when it matches.
std::string run_read(layout::RecordReader& in, const Read& r, std::size_t index) {
  // Storage for the targets, sized first so that the pointers stay valid.
  std::vector<std::int32_t> integers(r.targets.size());
  std::vector<float> reals(r.targets.size());
  std::vector<std::string> texts(r.targets.size());
  std::vector<layout::Target> targets;
  for (std::size_t i = 0; i < r.targets.size(); ++i) {
    const Datum& t = r.targets[i];
    if (t.kind == 'I') {
      integers[i] = t.integer;
      targets.push_back(layout::Target::of(integers[i]));
    } else if (t.kind == 'F') {
      reals[i] = std::bit_cast<float>(t.bits);
      targets.push_back(layout::Target::of(reals[i]));
    } else {
      texts[i] = t.text;
      targets.push_back(layout::Target::of(std::span<char>(texts[i].data(), texts[i].size())));
    }
  }
  const std::string head = "  read " + std::to_string(index + 1) +
                           (r.fixed ? " FIXED " + r.layout : std::string(" FREE")) + "\n";
  try {
    if (r.fixed) {
      layout::read_fixed(in, layout::parse_layout(r.layout), targets);
    } else {
      layout::read_free_form(in, targets);
    }
  } catch (const layout::FatalError& e) {
    if (!r.error.empty() && error_matches(r.error, e.kind())) return {};
    return head + "  - expected " + (r.error.empty() ? "values" : "ERROR " + r.error) +
           "\n  + got      ERROR " + error_name(e.kind()) + " (" + e.what() + ")\n";
  }
  if (!r.error.empty()) return head + "  - expected ERROR " + r.error + "\n  + got      no error\n";

  std::string diff;
  for (std::size_t i = 0; i < r.targets.size(); ++i) {
    Datum got = r.targets[i];
    if (got.kind == 'I') got.integer = integers[i];
    if (got.kind == 'F') {
      got.bits = std::bit_cast<std::uint32_t>(reals[i]);
      char text[32];
      std::snprintf(text, sizeof text, "%.9g", static_cast<double>(reals[i]));
      got.text = text;
    }
    if (got.kind == 'A') got.text = texts[i];
    const Datum& expected = i < r.got.size() ? r.got[i] : r.targets[i];
    if (same(got, expected)) continue;
    diff += "  target " + std::to_string(i + 1) + "\n  - expected " + show(expected) +
            "\n  + got      " + show(got) + "\n";
  }
  return diff.empty() ? diff : head + diff;
}

// The difference of a read case: its reads in order on one file, up to the first error.
std::string run_read_case(const Case& c) {
  std::string file;
  for (const std::string& line : c.lines) file += line + "\n";
  std::istringstream stream(file);
  layout::RecordReader in(stream, 5, "cases");
  for (std::size_t i = 0; i < c.reads.size(); ++i) {
    const std::string diff = run_read(in, c.reads[i], i);
    if (!diff.empty()) return diff;
    if (!c.reads[i].error.empty()) break;
  }
  return {};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: layout_cases FILE...\n");
    return 2;
  }
  int passed = 0;
  int failed = 0;
  for (int a = 1; a < argc; ++a) {
    std::vector<Case> cases;
    try {
      cases = load_cases(argv[a]);
    } catch (const Failure& f) {
      std::fprintf(stderr, "layout_cases: %s\n", f.message.c_str());
      return 2;
    } catch (const std::exception& e) {
      std::fprintf(stderr, "layout_cases: %s: %s\n", argv[a], e.what());
      return 2;
    }
    for (const Case& c : cases) {
      std::string diff;
      try {
        diff = c.is_write ? run_write_case(c) : run_read_case(c);
      } catch (const std::exception& e) {
        diff = std::string("  exception: ") + e.what() + "\n";
      }
      if (diff.empty()) {
        ++passed;
        continue;
      }
      ++failed;
      std::cout << "FAIL " << c.id << " (" << c.where << ")";
      if (!c.note.empty()) std::cout << ": " << c.note;
      std::cout << "\n" << diff;
    }
  }
  std::cout << passed << " passed, " << failed << " failed\n";
  return failed > 0 ? 1 : 0;
}
