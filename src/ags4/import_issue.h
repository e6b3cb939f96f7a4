// What stops the reading of an AGS4 file of consolidation tests, and what is
// read but worth the engineer's attention, as values naming their line.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace ags4 {

// A specimen of a laboratory test: the key fields that its CONG and CONS rows
// share, as the file writes them (text, compared exactly).
struct SpecimenKey {
  std::string loca_id;    // the hole (location)
  std::string samp_top;   // depth to the top of the sample, m
  std::string samp_ref;   // sample reference
  std::string samp_type;  // sample type (a code: U, B, D...)
  std::string samp_id;    // sample unique identifier
  std::string spec_ref;   // specimen reference
  std::string spec_dpth;  // depth to the top of the specimen, m

  friend bool operator==(const SpecimenKey&, const SpecimenKey&) = default;
  friend auto operator<=>(const SpecimenKey&, const SpecimenKey&) = default;
};

enum class ErrorKind {
  // The file as records and groups.
  kNotAgs4,             // the first record is not a GROUP record (text: the first field, if any)
  kUnterminatedQuote,   // a field's closing quote is missing (column: where the field opens)
  kTextOutsideQuotes,   // a character outside the quotes of a field (column: that character)
  kUnknownDescriptor,   // a record's first field is not GROUP, HEADING, UNIT, TYPE or DATA (text)
  kRecordOutOfOrder,    // text: the descriptor found, expected: the one the group needs there
  kGroupRecordInvalid,  // a GROUP record without exactly one, non-empty, name
  kGroupRepeated,       // group, other_line: where it was first given
  kGroupIncomplete,     // group (line: its GROUP record), expected: the descriptor missing
  kHeadingEmpty,        // group, found: the position of the empty heading (from 1)
  kHeadingRepeated,     // group, heading
  kFieldCountMismatch,  // group, text: descriptor, expected_count (headings), found_count
  // The consolidation groups.
  kNoConsGroup,          // the file has no CONS group
  kHeadingMissing,       // group, heading (line: the group's HEADING record)
  kUnexpectedUnit,       // group, heading, text: the unit found, expected (line: UNIT record)
  kValueMissing,         // group, heading: an empty field the reader needs
  kNotANumber,           // group, heading, text
  kNotAWholeNumber,      // group, heading, text (the increment number)
  kValueNotPositive,     // group, heading, text: a stress, void ratio or cv not above 0
  kSpecimenRepeated,     // group (CONG), specimen, other_line: its first row
  kIncrementRepeated,    // group (CONS), specimen, text: CONS_INCN, other_line: its first row
  kNoInitialVoidRatio,   // specimen: neither CONG_IVR nor the first increment's CONS_IVR
  kNoSpecimenWithCurve,  // no specimen has two loading increments (line 0)
};

// The first fault found; the reading stops there. Fields other than `kind`
// and `line` are set where the kind names them, and are empty otherwise.
struct Error {
  ErrorKind kind = ErrorKind::kNotAgs4;
  int line = 0;            // of the file, from 1; 0 where the fault is the whole file's
  std::size_t column = 0;  // from 1, where the kind names one
  std::string group;
  std::string heading;
  std::string text;      // the value or record descriptor found
  std::string expected;  // what the file should have there
  std::size_t expected_count = 0;
  std::size_t found_count = 0;
  int other_line = 0;
  std::optional<SpecimenKey> specimen;
};

enum class WarningKind {
  kUnknownHeading,  // group, heading (line: the group's HEADING record); the field is ignored
  kTooFewLoadingIncrements,  // specimen, count: its loading increments (< 2); it gives no curve
  kStrainFalls,              // specimen, increment: a loading increment whose void ratio rises
};

// Something read and kept (or left out, as said) that the engineer should see.
struct Warning {
  WarningKind kind = WarningKind::kUnknownHeading;
  int line = 0;
  std::string group;
  std::string heading;
  std::optional<SpecimenKey> specimen;
  int count = 0;      // kTooFewLoadingIncrements: loading increments found
  int increment = 0;  // kStrainFalls: CONS_INCN
};

}  // namespace ags4
