#include "report_tool/site/content_hash.h"

#include <array>
#include <memory>

#define XXH_INLINE_ALL
#include <xxhash.h>

namespace {

std::string Hex(std::uint64_t value) {
    constexpr char kDigits[] = "0123456789abcdef";
    std::string text(16, '0');
    for (auto digit = text.rbegin(); value != 0; value >>= 4, ++digit) {
        *digit = kDigits[value & 0xF];
    }
    return text;
}

}  // namespace

struct HashingSource::State {
    XXH3_state_t xxh;
};

std::string NameHash(std::string_view bytes) {
    return Hex(XXH3_64bits(bytes.data(), bytes.size()));
}

HashingSource::HashingSource(ByteSource& source)
    : source_(source), state_(std::make_unique<State>()) {
    XXH3_128bits_reset(&state_->xxh);
}

HashingSource::~HashingSource() = default;

std::size_t HashingSource::read(char* into, std::size_t size) {
    const std::size_t got = source_.read(into, size);
    XXH3_128bits_update(&state_->xxh, into, got);
    return got;
}

std::string HashingSource::digest() const {
    const XXH128_hash_t hash = XXH3_128bits_digest(&state_->xxh);
    return Hex(hash.high64) + Hex(hash.low64);
}

std::optional<std::string> FileDigest(const std::filesystem::path& path) {
    FileSource file(path);
    if (!file.isOpen()) {
        return std::nullopt;
    }
    HashingSource hashing(file);
    std::array<char, 1 << 16> buffer;
    while (hashing.read(buffer.data(), buffer.size()) > 0) {
    }
    if (hashing.failed()) {
        return std::nullopt;
    }
    return hashing.digest();
}
