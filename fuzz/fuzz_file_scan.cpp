// The directory scan and the open command on arbitrary files of both lengths.

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>

#include "FuzzEntry.h"
#include "checks/FuzzChecks.h"

namespace {

// One scratch directory per run, for the file and its working copy.
const std::filesystem::path& ScratchDirectory() {
  static const std::filesystem::path path = [] {
    const std::filesystem::path made =
        std::filesystem::temp_directory_path() / ("zovek-fuzz-scan-" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(made);
    std::atexit([] {
      std::error_code ec;
      std::filesystem::remove_all(ScratchDirectory(), ec);
    });
    return made;
  }();
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  zovek::fuzzcheck::RequireHolds(zovek::fuzzcheck::CheckFileScan({data, size}, ScratchDirectory()));
  return 0;
}
