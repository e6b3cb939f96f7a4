// A list addressed by position as the program numbers its rows: sublayers,
// stress depths, points and loads from 1. Sized to what the project holds.
#pragma once

#include <cassert>
#include <cstddef>
#include <span>
#include <vector>

namespace analysis {

template <typename T>
class IndexedVector {
 public:
  IndexedVector() = default;
  explicit IndexedVector(int count, const T& value = T{})
      : entries_(static_cast<std::size_t>(count > 0 ? count : 0), value) {}

  int count() const { return static_cast<int>(entries_.size()); }
  void resize(int count, const T& value = T{}) {
    entries_.resize(static_cast<std::size_t>(count > 0 ? count : 0), value);
  }
  void push_back(T value) { entries_.push_back(std::move(value)); }

  T& operator[](int position) {
    assert(position >= 1 && position <= count());
    return entries_[static_cast<std::size_t>(position - 1)];
  }
  const T& operator[](int position) const {
    assert(position >= 1 && position <= count());
    return entries_[static_cast<std::size_t>(position - 1)];
  }

  // The entries as one span, the first at offset 0.
  std::span<T> values() { return entries_; }
  std::span<const T> values() const { return entries_; }

  auto begin() { return entries_.begin(); }
  auto end() { return entries_.end(); }
  auto begin() const { return entries_.begin(); }
  auto end() const { return entries_.end(); }

  bool operator==(const IndexedVector&) const = default;

 private:
  std::vector<T> entries_;
};

}  // namespace analysis
