#pragma once
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "report_tool/reading/byte_source.h"

// Hashes for the site: of a report's bytes, to tell a changed report from one only touched, and of
// a name, to keep two names apart in a file name. Not a defence against someone forging
// collisions; a report someone forges is still read and checked like any other.

// 64 bits of a name's bytes as 16 lower-case hexadecimal digits.
std::string NameHash(std::string_view bytes);

// Reads another source and hashes every byte it passes on: a report is read once, for its check
// and its hash.
class HashingSource final : public ByteSource {
  public:
    explicit HashingSource(ByteSource& source);
    ~HashingSource() override;
    HashingSource(const HashingSource&) = delete;
    HashingSource& operator=(const HashingSource&) = delete;

    std::size_t read(char* into, std::size_t size) override;
    bool failed() const override { return source_.failed(); }
    // 128 bits of what was read so far, as 32 hexadecimal digits.
    std::string digest() const;

  private:
    struct State;
    ByteSource& source_;
    std::unique_ptr<State> state_;
};

// The digest of a whole file; nothing when it cannot be read.
std::optional<std::string> FileDigest(const std::filesystem::path& path);
