// The study's random numbers: a counter-based generator, so that the draw of
// a sample is a function of the seed, a stream and the sample's index alone.
#pragma once

#include <cstdint>

namespace study {

// What a stream of draws is for; each parameter has one stream per use.
enum class DrawUse : std::uint64_t {
  kPosition = 0,  // the sample's place in its stratum (Latin hypercube) or its probability
  kShuffle = 1,   // the Fisher-Yates shuffle of a parameter's strata
};

// The key of one stream of draws: the study's seed, a parameter (its position
// in the design) and the use.
struct StreamKey {
  std::uint64_t seed = 0;
  std::uint64_t parameter = 0;
  DrawUse use = DrawUse::kPosition;
};

// The 64 random bits numbered `counter` of the stream `key`: SplitMix64's
// output number `counter` from a starting state worked out from the key.
std::uint64_t random_bits(const StreamKey& key, std::uint64_t counter);

// The draw numbered `counter` of the stream as a probability in the open
// interval (0, 1): 52 random bits, centred in their cell, so within
// [2^-53, 1 - 2^-53] and exact.
double random_probability(const StreamKey& key, std::uint64_t counter);

// A whole number in 0 .. bound - 1 from the draw numbered `counter`, by the
// remainder; its bias is below bound / 2^64 (under 1e-13 for a million).
// REQUIRES: bound > 0.
std::uint64_t random_below(const StreamKey& key, std::uint64_t counter, std::uint64_t bound);

}  // namespace study
