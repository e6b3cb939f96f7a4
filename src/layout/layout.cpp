// Parsing of the record layout notation into its flat item list.
#include "layout/layout.h"

#include <stdexcept>
#include <string>

namespace layout {
namespace {

// Bounds that no layout of the program comes near; they keep a mistyped count
// from unrolling into millions of items.
constexpr int kMaxNumber = 99999;
constexpr std::size_t kMaxItems = 100000;

bool is_digit(char c) { return c >= '0' && c <= '9'; }

bool is_data_item(ItemKind kind) {
  return kind == ItemKind::kInteger || kind == ItemKind::kFixed || kind == ItemKind::kText;
}

Item make_item(ItemKind kind, int width = 0) {
  Item item{};
  item.kind = kind;
  item.width = width;
  return item;
}

class Parser {
 public:
  explicit Parser(std::string_view notation) : s_(notation) {}

  Layout parse() {
    Layout layout;
    expect('(');
    parse_list(layout.items, &layout.reversion);
    expect(')');
    if (pos_ != s_.size()) fail("text after the closing parenthesis");
    return layout;
  }

 private:
  [[noreturn]] void fail(const char* what) const {
    throw std::invalid_argument("malformed layout at column " + std::to_string(pos_ + 1) + ": " +
                                what + ": " + std::string(s_));
  }

  bool at_end() const { return pos_ >= s_.size(); }
  char peek() const { return at_end() ? '\0' : s_[pos_]; }

  void expect(char c) {
    if (peek() != c) fail(c == ')' ? "expected ')'" : c == '(' ? "expected '('" : "expected ','");
    ++pos_;
  }

  // An unsigned decimal number of at most five digits; `what` names it in the message.
  int parse_number(const char* what) {
    if (!is_digit(peek())) fail(what);
    int value = 0;
    while (is_digit(peek())) {
      value = value * 10 + (s_[pos_] - '0');
      if (value > kMaxNumber) fail("number too large");
      ++pos_;
    }
    return value;
  }

  int parse_positive(const char* what) {
    const int value = parse_number(what);
    if (value == 0) fail(what);
    return value;
  }

  // list ::= item (',' item)*, where the ',' may be left out next to '/'.
  // `reversion`, when given, receives the flat index of the last group at this level.
  void parse_list(std::vector<Item>& items, std::size_t* reversion) {
    for (;;) {
      const bool is_slash = peek() == '/';
      if (peek() == '(' || (is_digit(peek()) && starts_group())) {
        if (reversion != nullptr) *reversion = items.size();
      }
      parse_item(items);
      if (peek() == ')') return;
      if (peek() == ',') {
        ++pos_;
        if (peek() == ')') fail("item expected after ','");
      } else if (!is_slash && peek() != '/') {
        fail("expected ',' or ')'");
      }
    }
  }

  // True when the count at the current position is followed by '('.
  bool starts_group() const {
    std::size_t p = pos_;
    while (p < s_.size() && is_digit(s_[p])) ++p;
    return p < s_.size() && s_[p] == '(';
  }

  void append(std::vector<Item>& items, Item item) {
    if (items.size() >= kMaxItems) fail("too many items");
    items.push_back(std::move(item));
  }

  void parse_item(std::vector<Item>& items) {
    const char c = peek();
    if (c == '\'') return append(items, parse_literal());
    if (c == '/') {
      ++pos_;
      return append(items, make_item(ItemKind::kNewRecord));
    }
    if (c == '-') {
      ++pos_;
      const int k = parse_number("scale factor expected after '-'");
      if (peek() != 'P') fail("'P' expected after a negative number");
      ++pos_;
      return append(items, make_item(ItemKind::kScale, -k));
    }
    int count = 1;
    bool has_count = false;
    if (is_digit(c)) {
      count = parse_number("count expected");
      has_count = true;
    }
    switch (peek()) {
      case '(': {
        if (count == 0) fail("zero repeat count");
        ++pos_;
        std::vector<Item> group;
        parse_list(group, nullptr);
        expect(')');
        for (int i = 0; i < count; ++i) {
          for (const Item& item : group) append(items, item);
        }
        return;
      }
      case 'X':
        if (!has_count || count == 0) fail("'X' needs a positive count");
        ++pos_;
        return append(items, make_item(ItemKind::kSkip, count));
      case 'P':
        if (!has_count) fail("'P' needs a scale factor");
        ++pos_;
        return append(items, make_item(ItemKind::kScale, count));
      case 'I':
      case 'F':
      case 'A': {
        if (count == 0) fail("zero repeat count");
        Item item = parse_data_item();
        for (int i = 0; i < count; ++i) append(items, item);
        return;
      }
      default:
        fail(has_count ? "item expected after the count" : "item expected");
    }
  }

  // Iw, Fw.d or Aw, at its letter.
  Item parse_data_item() {
    const char letter = s_[pos_++];
    const ItemKind kind = letter == 'I'   ? ItemKind::kInteger
                          : letter == 'F' ? ItemKind::kFixed
                                          : ItemKind::kText;
    Item item = make_item(kind, parse_positive("field width expected"));
    if (letter == 'F') {
      if (peek() != '.') fail("'.' expected in Fw.d");
      ++pos_;
      // d may reach or pass w: such a field still reads (with implied
      // decimals), it only prints as asterisks.
      item.decimals = parse_number("decimal count expected");
    }
    return item;
  }

  // A literal runs to the first apostrophe that is followed by ',' or ')', so
  // it may itself hold apostrophes, commas, parentheses and slashes.
  Item parse_literal() {
    const std::size_t start = ++pos_;
    for (std::size_t p = start; p + 1 < s_.size(); ++p) {
      if (s_[p] == '\'' && (s_[p + 1] == ',' || s_[p + 1] == ')')) {
        if (p == start) fail("empty literal");
        pos_ = p + 1;
        Item item = make_item(ItemKind::kLiteral);
        item.text = std::string(s_.substr(start, p - start));
        return item;
      }
    }
    fail("unterminated literal");
  }

  std::string_view s_;
  std::size_t pos_ = 0;
};

}  // namespace

bool Layout::has_data_items() const {
  for (const Item& item : items) {
    if (is_data_item(item.kind)) return true;
  }
  return false;
}

std::string Layout::describe() const {
  std::string out;
  for (const Item& item : items) {
    out += '[';
    switch (item.kind) {
      case ItemKind::kInteger:
        out += 'I' + std::to_string(item.width);
        break;
      case ItemKind::kFixed:
        out += 'F' + std::to_string(item.width) + '.' + std::to_string(item.decimals);
        break;
      case ItemKind::kText:
        out += 'A' + std::to_string(item.width);
        break;
      case ItemKind::kSkip:
        out += std::to_string(item.width) + 'X';
        break;
      case ItemKind::kLiteral:
        out += '\'' + item.text + '\'';
        break;
      case ItemKind::kNewRecord:
        out += '/';
        break;
      case ItemKind::kScale:
        out += std::to_string(item.width) + 'P';
        break;
    }
    out += ']';
  }
  return out;
}

Layout parse_layout(std::string_view notation) { return Parser(notation).parse(); }

}  // namespace layout
