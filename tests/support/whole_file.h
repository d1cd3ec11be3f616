#pragma once
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

// A file's bytes, all of them; empty when it cannot be read.
inline std::string FileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
