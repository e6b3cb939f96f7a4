#include "layout/fatal_error.h"

#include <gtest/gtest.h>

namespace layout {
namespace {

TEST(FatalError, ReportNamesUnitAndFile) {
  const FatalError error(FatalKind::kEndOfFile, 5, "/tmp/x/problem.dat");
  EXPECT_EQ(error.report(),
            "settle: severe (24): end-of-file during read, unit 5, file /tmp/x/problem.dat");
}

}  // namespace
}  // namespace layout
