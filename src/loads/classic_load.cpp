// The classic method's dispatch over the load kinds.
#include "loads/classic_load.h"

namespace loads {

std::optional<ClassicLoad> classic_form(const Load& load) {
  return std::visit(
      Overloaded{
          [](const Rectangle& r) -> std::optional<ClassicLoad> { return prepare_classic(r); },
          [](const Circle& c) -> std::optional<ClassicLoad> { return prepare_classic(c); },
          [](const SpreadArea& s) -> std::optional<ClassicLoad> { return prepare_classic(s); },
          [](const Polygon&) -> std::optional<ClassicLoad> { return std::nullopt; },
          [](const Strip&) -> std::optional<ClassicLoad> { return std::nullopt; },
          [](const Embankment&) -> std::optional<ClassicLoad> { return std::nullopt; },
      },
      load);
}

void add_classic_stress(const ClassicLoad& load, float x, float y, std::span<const float> depths,
                        std::span<float> row) {
  std::visit([&](const auto& kind) { add_classic_stress(kind, x, y, depths, row); }, load);
}

}  // namespace loads
