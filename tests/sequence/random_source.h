#pragma once
#include <cstddef>
#include <cstdint>
#include <initializer_list>

// The sequences' only source of chance. Every draw is defined here (splitmix64 and plain
// reductions), so a seed replays the same sequence whatever the standard library.
class RandomSource {
  public:
    explicit RandomSource(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next();
    // 0 .. n - 1; n must be positive.
    std::uint64_t below(std::uint64_t n) { return next() % n; }
    // lo .. hi inclusive.
    std::int64_t between(std::int64_t lo, std::int64_t hi);
    // True in `perMille` of 1000 draws.
    bool chance(unsigned perMille) { return below(1000) < perMille; }
    // An index drawn with the given weights; at least one weight must be positive.
    std::size_t weighted(std::initializer_list<unsigned> weights);
    // Any 32-bit value, the extremes and their neighbours more often than their share.
    std::int32_t anyInt32();

  private:
    std::uint64_t state_;
};

// The seed of sequence `index` of a batch started from `base`.
std::uint64_t SequenceSeed(std::uint64_t base, std::uint64_t index);
