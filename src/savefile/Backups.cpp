#include "savefile/Backups.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "savefile/FileSystem.h"
#include "savefile/WriteSteps.h"

namespace zovek {

namespace fs = std::filesystem;

namespace {

using Millis = std::chrono::sys_time<std::chrono::milliseconds>;

constexpr std::string_view kExtension = ".bak";
constexpr std::string_view kPartExtension = ".part";  // a backup not yet whole
constexpr std::size_t kStampLength = 20;  // 20250314T101530.123Z
constexpr int kMaxNameAttempts = 1000;

// The file's full path with links and "..", so that every way of naming one
// file gives the same backups.
fs::path ResolvedPath(const fs::path& file) {
  std::error_code ec;
  fs::path resolved = fs::weakly_canonical(file, ec);
  if (ec || resolved.empty()) {
    resolved = fs::absolute(file, ec);
    if (ec) resolved = file;
  }
  return resolved;
}

// FNV-1a, 32 bits: the same on every compiler and system, unlike std::hash.
std::string PathHash(const fs::path& resolved) {
  std::uint32_t hash = 2166136261u;
  for (const char8_t c : resolved.generic_u8string()) {
    hash ^= static_cast<std::uint8_t>(c);
    hash *= 16777619u;
  }
  char text[16];
  std::snprintf(text, sizeof text, "%08x", static_cast<unsigned>(hash));
  return text;
}

// "<file name>.<hash>." for the file behind `file`.
fs::path BackupPrefix(const fs::path& file) {
  const fs::path resolved = ResolvedPath(file);
  fs::path prefix = resolved.filename();
  // Appended piece by piece: GCC 12 at -O3 raises a false -Wrestrict alarm
  // on `"." + std::string`.
  prefix += ".";
  prefix += PathHash(resolved);
  prefix += ".";
  return prefix;
}

std::string StampText(Millis time) {
  using namespace std::chrono;
  const auto midnight = floor<days>(time);
  const year_month_day date{midnight};
  const hh_mm_ss timeOfDay{time - midnight};
  char text[64];
  std::snprintf(text, sizeof text, "%04d%02u%02uT%02d%02d%02d.%03dZ", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                static_cast<int>(timeOfDay.hours().count()), static_cast<int>(timeOfDay.minutes().count()),
                static_cast<int>(timeOfDay.seconds().count()), static_cast<int>(timeOfDay.subseconds().count()));
  return text;
}

std::optional<int> Digits(std::string_view text, std::size_t at, std::size_t count) {
  int value = 0;
  for (std::size_t i = at; i < at + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

std::optional<Millis> ParseStamp(std::string_view text) {
  using namespace std::chrono;
  if (text.size() != kStampLength || text[8] != 'T' || text[15] != '.' || text[19] != 'Z') return std::nullopt;
  const auto y = Digits(text, 0, 4), mo = Digits(text, 4, 2), d = Digits(text, 6, 2);
  const auto h = Digits(text, 9, 2), mi = Digits(text, 11, 2), s = Digits(text, 13, 2), ms = Digits(text, 16, 3);
  if (!y || !mo || !d || !h || !mi || !s || !ms || *h > 23 || *mi > 59 || *s > 59) return std::nullopt;
  const year_month_day date{year{*y}, month{static_cast<unsigned>(*mo)}, day{static_cast<unsigned>(*d)}};
  if (!date.ok()) return std::nullopt;
  return Millis{sys_days{date}} + hours{*h} + minutes{*mi} + seconds{*s} + milliseconds{*ms};
}

// The time in a backup's name when `name` is "<prefix><stamp>.bak" exactly.
std::optional<Millis> BackupTime(const fs::path::string_type& name, const fs::path::string_type& prefix) {
  if (name.size() != prefix.size() + kStampLength + kExtension.size() || name.compare(0, prefix.size(), prefix) != 0) {
    return std::nullopt;
  }
  std::string rest;
  for (std::size_t i = prefix.size(); i < name.size(); ++i) {
    const auto c = name[i];
    if (static_cast<std::uint32_t>(c) > 127) return std::nullopt;  // negative chars included
    rest.push_back(static_cast<char>(c));
  }
  if (!rest.ends_with(kExtension)) return std::nullopt;
  return ParseStamp(std::string_view(rest).substr(0, kStampLength));
}

struct Backup {
  Millis time;
  fs::path path;
};

// The backups with this prefix in `directory`, oldest first.
int FindBackups(const fs::path& directory, const fs::path& prefix, std::vector<Backup>& found) {
  found.clear();
  std::error_code ec;
  for (fs::directory_iterator it(directory, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code typeError;
    if (!it->is_regular_file(typeError)) continue;
    if (const auto time = BackupTime(it->path().filename().native(), prefix.native())) {
      found.push_back({*time, it->path()});
    }
  }
  if (ec) return ec.value();
  std::sort(found.begin(), found.end(), [](const Backup& a, const Backup& b) {
    return a.time != b.time ? a.time < b.time : a.path < b.path;
  });
  return 0;
}

// "<prefix><stamp>.bak.part": what an interrupted backup of the same file left.
bool IsLeftover(const fs::path::string_type& name, const fs::path::string_type& prefix) {
  const fs::path::string_type part = fs::path(kPartExtension).native();
  return name.size() > part.size() && name.ends_with(part) &&
         BackupTime(name.substr(0, name.size() - part.size()), prefix).has_value();
}

void RemoveLeftovers(const fs::path& directory, const fs::path& prefix) {
  std::error_code ec;
  std::vector<fs::path> leftovers;
  for (fs::directory_iterator it(directory, ec), end; !ec && it != end; it.increment(ec)) {
    if (IsLeftover(it->path().filename().native(), prefix.native())) leftovers.push_back(it->path());
  }
  for (const fs::path& leftover : leftovers) RemoveName(leftover);  // a folder there stays
}

}  // namespace

int BackUpBytes(const fs::path& file, std::span<const std::uint8_t> bytes, const fs::path& directory,
                std::chrono::system_clock::time_point now, fs::path* made) {
  if (const int error = MakePrivateDirectory(directory); error != 0) return error;

  const fs::path prefix = BackupPrefix(file);
  RemoveLeftovers(directory, prefix);
  std::vector<Backup> backups;
  if (const int error = FindBackups(directory, prefix, backups); error != 0) return error;

  Millis time = std::chrono::floor<std::chrono::milliseconds>(now);
  if (!backups.empty() && backups.back().time >= time) {
    time = backups.back().time + std::chrono::milliseconds{1};
  }
  fs::path target;
  for (int attempt = 0;; ++attempt) {
    if (attempt == kMaxNameAttempts) return static_cast<int>(std::errc::file_exists);
    fs::path name = prefix;
    name += StampText(time) + std::string(kExtension);
    target = directory / name;
    // Every backup is older than this name, so whatever else stands at it (a
    // link, a leftover) is replaced by the new file and never written through;
    // a folder is never removed, nor the file being backed up.
    std::error_code ec;
    if (!fs::is_directory(fs::symlink_status(target, ec)) && !SameFile(target, file)) break;
    time += std::chrono::milliseconds{1};
  }
  fs::path part = target;
  part += kPartExtension;
  if (const int error = ReplaceWithNewFile(part, bytes); error != 0) return error;
  AtWriteStep(WriteStep::BackupWritten);
  std::error_code renamed;
  fs::rename(part, target, renamed);
  if (renamed) {
    RemoveName(part);
    return renamed.value();
  }
  SyncDirectory(directory);
  AtWriteStep(WriteStep::BackupNamed);
  if (made != nullptr) *made = target;

  // Only the oldest of this file's own backups go, never the file being saved.
  if (FindBackups(directory, prefix, backups) == 0) {
    constexpr auto kKept = static_cast<std::size_t>(kBackupsKept);
    const std::size_t excess = backups.size() > kKept ? backups.size() - kKept : 0;
    for (std::size_t i = 0; i < excess; ++i) {
      if (!SameFile(backups[i].path, file)) RemoveFile(backups[i].path);
    }
  }
  AtWriteStep(WriteStep::BackupsRotated);
  return 0;
}

std::vector<fs::path> ListBackups(const fs::path& file, const fs::path& directory) {
  std::vector<Backup> backups;
  std::vector<fs::path> paths;
  if (FindBackups(directory, BackupPrefix(file), backups) != 0) return paths;
  for (const Backup& backup : backups) paths.push_back(backup.path);
  return paths;
}

}  // namespace zovek
