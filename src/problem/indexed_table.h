// A table of fixed capacity whose entries are addressed by their position, as
// the program numbers them: layers, curves, points and areas from 1, the layer
// boundaries from 0 (the ground surface).
#pragma once

#include <array>
#include <cassert>
#include <cstddef>

namespace problem {

// Entries kFirst..kLast, zero-initialised. Access by a position outside them
// is a programmer error, caught by an assertion in debug and sanitizer builds:
// every count that bounds a loop over a table is held within its capacity by
// the input checks.
template <typename T, int Capacity, int First = 1>
class IndexedTable {
 public:
  static constexpr int kFirst = First;
  static constexpr int kLast = Capacity;

  T& operator[](int position) {
    assert(position >= First && position <= Capacity);
    return entries_[static_cast<std::size_t>(position - First)];
  }
  const T& operator[](int position) const {
    assert(position >= First && position <= Capacity);
    return entries_[static_cast<std::size_t>(position - First)];
  }

  // Every entry, first to last, for filling and for whole-table comparisons.
  T* begin() { return entries_.data(); }
  T* end() { return entries_.data() + entries_.size(); }
  const T* begin() const { return entries_.data(); }
  const T* end() const { return entries_.data() + entries_.size(); }

  bool operator==(const IndexedTable&) const = default;

 private:
  std::array<T, static_cast<std::size_t>(Capacity - First + 1)> entries_{};
};

}  // namespace problem
