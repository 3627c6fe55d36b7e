#pragma once
// What a later start of the program sends to the running one: one frame per
// connection, a 4-byte big-endian length and that many bytes, either "open "
// followed by an absolute path or "activate". The path is its bytes, which on
// POSIX need not be UTF-8 (savefile/PathEncoding.h); on Windows its UTF-8.

#include <QByteArray>
#include <QString>

namespace zovek {

// Longest text a frame may carry; anything longer is refused unread.
inline constexpr qsizetype kMaxOpenRequestText = 8192;
inline constexpr qsizetype kOpenRequestHeaderBytes = 4;

// The frame asking to open `path` (absolute), or only to bring the window
// forward when `path` is empty.
QByteArray EncodeOpenRequest(const QString& path);

enum class FrameStatus { Incomplete, Valid, Invalid };

struct DecodedOpenRequest {
  FrameStatus status = FrameStatus::Incomplete;
  QString path;  // for a valid frame: the file to open, empty for "activate"
};

// Reads the bytes received so far on one connection. Invalid: an oversized
// length, bytes after the frame, an unknown word, or a path that is not
// absolute or holds a NUL.
DecodedOpenRequest DecodeOpenRequest(const QByteArray& received);

}  // namespace zovek
