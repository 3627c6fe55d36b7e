#pragma once
// Whole-file reads and writes for tests and the command-line tool. Failures
// throw std::runtime_error naming the file.

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace zovek::savegen {

// Creates or replaces the file with exactly these bytes.
void WriteWholeFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);
std::vector<std::uint8_t> ReadWholeFile(const std::filesystem::path& path);

}  // namespace zovek::savegen
