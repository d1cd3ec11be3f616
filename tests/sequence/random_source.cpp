#include "random_source.h"

#include <limits>

std::uint64_t RandomSource::next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

std::int64_t RandomSource::between(std::int64_t lo, std::int64_t hi) {
    // Unsigned arithmetic: the whole 64-bit range is a valid span.
    const std::uint64_t span = static_cast<std::uint64_t>(hi) - static_cast<std::uint64_t>(lo) + 1;
    const std::uint64_t offset = span == 0 ? next() : below(span);
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(lo) + offset);
}

std::size_t RandomSource::weighted(std::initializer_list<unsigned> weights) {
    std::uint64_t total = 0;
    for (unsigned w : weights) {
        total += w;
    }
    std::uint64_t draw = below(total);
    std::size_t index = 0;
    for (unsigned w : weights) {
        if (draw < w) {
            return index;
        }
        draw -= w;
        ++index;
    }
    return weights.size() - 1;
}

std::int32_t RandomSource::anyInt32() {
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    switch (below(4)) {
        case 0:
            return chance(500) ? kMin : kMax;
        case 1:
            return chance(500) ? kMin + 1 : kMax - 1;
        default:
            return static_cast<std::int32_t>(static_cast<std::uint32_t>(next()));
    }
}

std::uint64_t SequenceSeed(std::uint64_t base, std::uint64_t index) {
    RandomSource mix(base * 0x100000001B3ull + index);
    return mix.next();
}
