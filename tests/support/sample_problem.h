// The sample problem of the problem file's documentation, line by line: two
// layers, a point curve and a slope line, a point, a rectangle and a spread
// area (the file examples/sample/sample.dat holds the same).
#pragma once

namespace testing_support {

inline constexpr char kSampleProblem[] =
    "SAMPLE FOUNDATION\n"
    "TWO CLAY LAYERS\n"
    "1\n"
    "2 2 1 1\n"
    "1 4.0 120.0 1 1.0\n"
    "2 10.0 115.0 2 0.8\n"
    "1 3\n"
    "LABORATORY TEST, BORING 1\n"
    "1.0 0.5\n"
    "3.0 2.0\n"
    "8.0 8.0\n"
    "2 0\n"
    "ESTIMATED\n"
    "2.5\n"
    "1 0.0 0.0 1\n"
    "A1\n"
    "1 0.0 0.0 10.0 20.0 0.0 2.0 0.0\n"
    "1\n"
    "2\n"
    "1 5.0 5.0 4.0 4.0 0.0 0.0 6.0 3.0\n";

}  // namespace testing_support
