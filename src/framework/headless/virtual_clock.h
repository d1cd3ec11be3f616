#pragma once
#include <cstdint>

// The headless host's time: a 64-bit millisecond count that only moves when a test says so.
// The tick count seen by the program is its low 32 bits, so it wraps exactly like the real one.
class VirtualClock {
  public:
    std::uint64_t now() const { return now_; }
    std::uint32_t tickCount() const { return static_cast<std::uint32_t>(now_); }
    void advance(std::uint64_t ms) { now_ += ms; }
    void setTickCount(std::uint32_t tick) { now_ = (now_ & ~std::uint64_t{0xFFFFFFFF}) | tick; }

  private:
    std::uint64_t now_ = 0;
};
