#pragma once
#include <cstdint>
#include <map>
#include <ostream>
#include <string>
#include <vector>

// How often each notable thing happened over a batch of sequences: the stages reached, the
// endings, the answers given to each dialog, the mail client's outcomes. A batch that misses
// one of them has degraded into noise, whatever its invariants say.
class Coverage {
  public:
    void count(const std::string& event) { ++counts_[event]; }
    void print(std::ostream& out) const;
    // The events every batch of a reasonable size must contain, less those it had.
    std::vector<std::string> missing() const;

  private:
    std::map<std::string, std::uint64_t> counts_;
};
