// Code pages through glibc's iconv, which knows every ANSI code page of Windows by its CP name.
#include <iconv.h>

#include <array>
#include <cerrno>
#include <string>

#include "report_tool/reading/code_page.h"

namespace {

constexpr unsigned kUtf8 = 65001;
const auto kNoConverter = reinterpret_cast<iconv_t>(-1);

class Converter {
  public:
    explicit Converter(unsigned number)
        : handle_(iconv_open(
              "UTF-32LE", number == kUtf8 ? "UTF-8" : ("CP" + std::to_string(number)).c_str())) {}
    ~Converter() {
        if (ok()) {
            iconv_close(handle_);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool ok() const { return handle_ != kNoConverter; }
    iconv_t get() const { return handle_; }

  private:
    iconv_t handle_;
};

void AppendUtf32le(const char* bytes, std::size_t size, std::u32string& out) {
    for (std::size_t i = 0; i + 4 <= size; i += 4) {
        const auto byte = [&](std::size_t k) {
            return static_cast<char32_t>(static_cast<unsigned char>(bytes[i + k]));
        };
        out += byte(0) | byte(1) << 8 | byte(2) << 16 | byte(3) << 24;
    }
}

}  // namespace

namespace code_page {

bool Readable(unsigned number) {
    return Converter(number).ok();
}

std::optional<Decoded> Decode(unsigned number, std::string_view bytes) {
    const Converter converter(number);
    if (!converter.ok()) {
        return std::nullopt;
    }
    Decoded out;
    std::string in(bytes);
    char* inAt = in.data();
    std::size_t inLeft = in.size();
    for (bool flushed = false; !flushed;) {
        std::array<char, 256> buffer;
        char* outAt = buffer.data();
        std::size_t outLeft = buffer.size();
        // With the input done, once more without any: a code page that combines characters
        // (1258) hands out the last one then.
        flushed = inLeft == 0;
        const std::size_t result = flushed
                                       ? iconv(converter.get(), nullptr, nullptr, &outAt, &outLeft)
                                       : iconv(converter.get(), &inAt, &inLeft, &outAt, &outLeft);
        AppendUtf32le(buffer.data(), buffer.size() - outLeft, out.characters);
        if (result != static_cast<std::size_t>(-1)) {
            continue;
        }
        if (errno == E2BIG) {
            flushed = false;
        } else if (inLeft > 0) {
            // EILSEQ, a byte that starts no character, or EINVAL, one cut short by the end.
            out.characters += U'\uFFFD';
            out.invalid = true;
            ++inAt;
            --inLeft;
            iconv(converter.get(), nullptr, nullptr, nullptr, nullptr);
            flushed = false;
        }
    }
    return out;
}

}  // namespace code_page
