// SplitMix64 (Steele, Lea and Flood 2014) used as a counter-based generator:
// its state after n steps is start + n * gamma, so the n-th output needs no
// earlier one and any process, thread or order draws the same bits.
#include "study/counter_random.h"

#include <cassert>

namespace study {
namespace {

constexpr std::uint64_t kGamma = 0x9E3779B97F4A7C15ull;  // 2^64 / golden ratio, odd

// SplitMix64's output function (Stafford's "Mix13" variant of MurmurHash3's
// finaliser): a bijection of 64-bit words in which every input bit reaches
// every output bit.
std::uint64_t mix(std::uint64_t z) {
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

// The stream's starting state: the seed, then the stream's number, each mixed
// in, so that nearby seeds or parameters start far apart on the sequence.
std::uint64_t start_of(const StreamKey& key) {
  const std::uint64_t stream = (key.parameter << 1) | static_cast<std::uint64_t>(key.use);
  return mix(mix(key.seed + kGamma) + stream * kGamma);
}

}  // namespace

std::uint64_t random_bits(const StreamKey& key, std::uint64_t counter) {
  return mix(start_of(key) + (counter + 1) * kGamma);
}

double random_probability(const StreamKey& key, std::uint64_t counter) {
  constexpr double kCell = 1.0 / 4503599627370496.0;  // 2^-52
  return (static_cast<double>(random_bits(key, counter) >> 12) + 0.5) * kCell;
}

std::uint64_t random_below(const StreamKey& key, std::uint64_t counter, std::uint64_t bound) {
  assert(bound > 0);
  return random_bits(key, counter) % bound;
}

}  // namespace study
