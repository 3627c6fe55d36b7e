#pragma once
// The commands of zovek-cli and their argument handling, apart from
// main() so that tests can run them in-process.

#include <istream>
#include <ostream>

#include <QStringList>

namespace zovek::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitChecksumWrong = 1;  // verify: a save's checksum byte does not match its data
inline constexpr int kExitDiffers = 1;        // diff: the two saves differ
inline constexpr int kExitFileProblem = 2;    // a file cannot be read, is not supported, or lacks the save asked for
inline constexpr int kExitUsage = 64;         // the command line itself is wrong

// `arguments` as a program receives them, the program name first; `in` is
// read only by `apply` given "-" for its document.
int RunCli(const QStringList& arguments, std::istream& in, std::ostream& out, std::ostream& err);

// The text that --help prints.
const char* UsageText();

}  // namespace zovek::cli
