#pragma once
// Error numbers shown in "ファイル読み込みエラー (n)" and "ファイル書き込みエラー (n)".
// File operations report errno values on every system (Windows' own codes are
// turned into them where they arise). The numbers below are ours, for failures that no
// operating-system call reports; they sit far above any errno value and are
// listed in docs/reliability.md.

namespace zovek {

inline constexpr int kErrValueDoesNotFit = 9001;   // a view value too large for its field
inline constexpr int kErrTextNotANumber = 9002;    // a view text that is not a number
inline constexpr int kErrFileChanged = 9003;       // the file on disk no longer holds the opened save
inline constexpr int kErrShortRead = 9004;         // the file ended before the bytes asked for
inline constexpr int kErrFileLocked = 9005;        // another of our programs held the file's lock for the whole wait
inline constexpr int kErrSignedForm = 9006;        // a signed form, which only its key's holder may write

}  // namespace zovek
