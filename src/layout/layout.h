// A record layout: the notation that says, column by column, how values become
// a line of text and how a fixed-column line is read back.
//
// Grammar of the notation (blanks are not allowed):
//   layout  ::= '(' list ')'
//   list    ::= item (',' item)*          -- a ',' may be omitted before and after '/'
//   item    ::= [count] 'I' w
//             | [count] 'F' w '.' d
//             | [count] 'A' w
//             | n 'X'
//             | k 'P'                     -- k may be negative
//             | "'" text "'"              -- closes at the "'" followed by ',' or ')'
//             | '/'
//             | [count] '(' list ')'
//
// A layout is parsed once into a flat list of items: repeat counts are unrolled,
// so a group `10(A4,2X)` becomes twenty items. `reversion` is the index of the
// first item of the last group at the outermost level (0 when there is none):
// when a write or read runs off the end with values left, it goes on from there.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace layout {

enum class ItemKind {
  kInteger,    // Iw
  kFixed,      // Fw.d
  kText,       // Aw
  kSkip,       // nX
  kLiteral,    // 'text'
  kNewRecord,  // /
  kScale,      // kP
};

struct Item {
  ItemKind kind;
  int width = 0;     // w of I, F and A; n of X; k of P
  int decimals = 0;  // d of F
  std::string text;  // the characters of a literal
};

struct Layout {
  std::vector<Item> items;
  std::size_t reversion = 0;

  bool has_data_items() const;
  // The flat item list as one string, e.g. "[6X][F10.3][4X][F10.3]"; a literal
  // shows as ['text'], a new record as [/], a scale factor as [2P].
  std::string describe() const;
};

// Parses `notation`. A malformed notation is a programmer error of a constant
// layout: it throws std::invalid_argument naming the column at fault.
Layout parse_layout(std::string_view notation);

}  // namespace layout
