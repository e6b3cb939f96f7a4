#include "layout/record_reader.h"

#include <gtest/gtest.h>

#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

namespace layout {
namespace {

std::vector<std::string> all_lines(const std::string& text) {
  std::istringstream stream(text);
  RecordReader in(stream, 5, "/data/problem.dat");
  std::vector<std::string> lines;
  while (in.next_line()) {
    lines.push_back(in.line());
    EXPECT_EQ(in.line_number(), static_cast<int>(lines.size()));
  }
  // At the end of the file the last line stays at hand.
  EXPECT_EQ(in.line(), lines.empty() ? std::string() : lines.back());
  return lines;
}

TEST(RecordReader, SplitsLinesAtEitherLineEnd) {
  using Lines = std::vector<std::string>;
  const struct {
    int line;
    std::string text;
    Lines expected;
  } cases[] = {
      {__LINE__, "", {}},
      {__LINE__, "A\nB\n", {"A", "B"}},
      {__LINE__, "A\r\nB\r\n", {"A", "B"}},
      {__LINE__, "A\r\nB\n", {"A", "B"}},
      {__LINE__, "A\nB", {"A", "B"}},  // a last line without a line end
      {__LINE__, "\n\n", {"", ""}},    // empty lines are lines
      {__LINE__, "\r\n", {""}},
      {__LINE__, "A\rB\n", {"A\rB"}},          // a carriage return inside a line is text
      {__LINE__, "A\r\r\n", {"A\r"}},          // only the one right before the line feed goes
      {__LINE__, "A\nB\r", {"A", "B\r"}},      // no line feed follows it
      {__LINE__, " 1 \t2  \n", {" 1 \t2  "}},  // blanks and tabs are kept
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(all_lines(c.text), c.expected);
  }
}

TEST(RecordReader, RequireLineRaisesEndOfFileNamingTheUnit) {
  std::istringstream stream("only\n");
  RecordReader in(stream, 5, "/data/problem.dat");
  EXPECT_EQ(in.require_line(), "only");
  try {
    in.require_line();
    FAIL() << "no error raised";
  } catch (const FatalError& error) {
    EXPECT_EQ(error.kind(), FatalKind::kEndOfFile);
    EXPECT_EQ(error.unit(), 5);
    EXPECT_EQ(error.path(), "/data/problem.dat");
  }
}

TEST(RecordReader, RequiredLinesShareOneBuffer) {
  std::istringstream stream("a much longer first line\nshort\n");
  RecordReader in(stream, 5, "p");
  const std::string* first = &in.require_line();
  EXPECT_EQ(*first, "a much longer first line");
  const std::string* second = &in.require_line();
  EXPECT_EQ(second, first);
  EXPECT_EQ(*second, "short");
}

// A stream buffer whose device fails after its first characters.
class FailingBuffer : public std::streambuf {
 public:
  explicit FailingBuffer(std::string first) : first_(std::move(first)) {
    setg(first_.data(), first_.data(), first_.data() + first_.size());
  }

 protected:
  int_type underflow() override { throw std::ios_base::failure("device error"); }

 private:
  std::string first_;
};

TEST(RecordReader, DeviceErrorIsAReadErrorNotTheEndOfTheFile) {
  FailingBuffer buffer("1 2\npartial");
  std::istream stream(&buffer);
  RecordReader in(stream, 5, "p");
  EXPECT_EQ(in.require_line(), "1 2");
  try {
    in.require_line();
    FAIL() << "no error raised";
  } catch (const FatalError& error) {
    EXPECT_EQ(error.kind(), FatalKind::kReadError);
  }
}

}  // namespace
}  // namespace layout
