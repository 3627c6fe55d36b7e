// `zovek-cli verify` over 10,000 card images against `cat` reading the same
// files, both as one process over all the files, after a warm-up that puts
// the files in the page cache. Throughput ratio = cat time / verify time.
//
//   bench_verify ZOVEK_CLI [FILES]

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "BenchTiming.h"
#include "savegen/ByteFiles.h"
#include "savegen/DemoSave.h"
#include "savegen/SaveImages.h"

extern char** environ;

namespace zb = zovek::bench;
namespace sg = zovek::savegen;

namespace {

// Runs the program with stdout and stderr on /dev/null; returns its exit status.
int RunQuiet(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  const int error = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (error != 0) throw std::runtime_error("cannot start " + args[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

double Timed(const std::vector<std::string>& args, int expectedStatus) {
  const auto start = zb::Clock::now();
  const int status = RunQuiet(args);
  const double seconds = zb::SecondsSince(start);
  if (status != expectedStatus) throw std::runtime_error(args[0] + " exited " + std::to_string(status));
  return seconds;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: bench_verify ZOVEK_CLI [FILES]\n");
    return 64;
  }
  const std::string cli = argv[1];
  const int count = argc > 2 ? std::atoi(argv[2]) : 10000;
  const auto dir = std::filesystem::temp_directory_path() / ("zovek-bench-verify-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);

  // Eight different cards; each file is one of them with one save's data
  // changed (and its checksum kept right), so no two files are alike.
  std::vector<sg::CardImage> cards;
  for (std::uint32_t seed = 1; seed <= 8; ++seed) {
    sg::CardImage card(seed);
    card.GameSave(2, sg::DigitForSave(1), sg::DemoRegion(seed))
        .GameSave(6, sg::DigitForSave(3), sg::DemoRegion(seed + 100))
        .GameSave(11, sg::DigitForSave(12), sg::DemoRegion(seed + 200));
    cards.push_back(card);
  }
  std::vector<std::string> files;
  for (int i = 0; i < count; ++i) {
    sg::Bytes bytes = cards[static_cast<std::size_t>(i % 8)].bytes();
    const std::size_t region = sg::CardImage::RegionOffset(6);
    bytes[region + 2000] = static_cast<std::uint8_t>(bytes[region + 2000] + i);
    bytes[region + 1] = static_cast<std::uint8_t>(bytes[region + 1] + i);
    char name[32];
    std::snprintf(name, sizeof name, "card%05d.mcr", i);
    files.push_back((dir / name).string());
    sg::WriteWholeFile(files.back(), bytes);
  }
  const double megabytes = static_cast<double>(count) * 131072.0 / (1024.0 * 1024.0);

  std::vector<std::string> verifyArgs{cli, "verify"};
  std::vector<std::string> catArgs{"cat"};
  verifyArgs.insert(verifyArgs.end(), files.begin(), files.end());
  catArgs.insert(catArgs.end(), files.begin(), files.end());

  Timed(catArgs, 0);  // warm-up: page cache for both
  Timed(verifyArgs, 0);
  std::vector<double> verifyTimes;
  std::vector<double> catTimes;
  for (int round = 0; round < 5; ++round) {
    catTimes.push_back(Timed(catArgs, 0));
    verifyTimes.push_back(Timed(verifyArgs, 0));
  }
  // For reading the figures: the same files read in-process, one reused
  // buffer, no checks; the floor any reader of these files has.
  std::vector<double> readTimes;
  std::vector<char> buffer(131072);
  for (int round = 0; round < 5; ++round) {
    const auto start = zb::Clock::now();
    for (const std::string& file : files) {
      const int fd = ::open(file.c_str(), O_RDONLY);
      if (fd < 0 || ::read(fd, buffer.data(), buffer.size()) != static_cast<ssize_t>(buffer.size())) {
        throw std::runtime_error("cannot read " + file);
      }
      ::close(fd);
    }
    readTimes.push_back(zb::SecondsSince(start));
  }
  const double bareRead = zb::Median(readTimes);
  const double verify = zb::Median(verifyTimes);
  const double cat = zb::Median(catTimes);
  std::printf("verify: %d files (%.0f MiB), median of 5: zovek-cli verify %.3f s (%.0f MiB/s), cat %.3f s (%.0f MiB/s)\n",
              count, megabytes, verify, megabytes / verify, cat, megabytes / cat);
  std::printf("verify: bare in-process read loop %.3f s (%.0f MiB/s)\n", bareRead, megabytes / bareRead);
  zb::PrintResult("verify vs cat (throughput)", zb::Format("%.0f MiB/s", megabytes / verify),
                  zb::Format("%.0f MiB/s", megabytes / cat), cat / verify, ">= 0.50",
                  std::to_string(count) + " card images; bare read loop " +
                      zb::Format("%.0f MiB/s", megabytes / bareRead));
  std::filesystem::remove_all(dir);
  return 0;
}
