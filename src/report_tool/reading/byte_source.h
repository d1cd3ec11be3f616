#pragma once
#include <cstddef>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

// Where the reader's bytes come from, a piece at a time, so that a file of any size is read in
// bounded memory.
class ByteSource {
  public:
    virtual ~ByteSource() = default;
    // Fills up to `size` bytes; 0 at the end (or after a read error, which failed() then tells).
    virtual std::size_t read(char* into, std::size_t size) = 0;
    virtual bool failed() const { return false; }
};

class MemorySource final : public ByteSource {
  public:
    explicit MemorySource(std::string_view bytes) : rest_(bytes) {}
    std::size_t read(char* into, std::size_t size) override;

  private:
    std::string_view rest_;
};

class FileSource final : public ByteSource {
  public:
    explicit FileSource(const std::filesystem::path& path);
    // Whether the file could be opened; when not, why.
    bool isOpen() const { return file_.is_open(); }
    const std::string& openError() const { return openError_; }
    std::size_t read(char* into, std::size_t size) override;
    bool failed() const override { return file_.bad(); }

  private:
    std::ifstream file_;
    std::string openError_;
};
