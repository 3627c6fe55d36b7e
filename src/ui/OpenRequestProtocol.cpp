#include "ui/OpenRequestProtocol.h"

#include <string_view>

#include <QDir>
#include <QtEndian>

#include "savefile/PathEncoding.h"

namespace zovek {

namespace {

const QByteArray kOpenWord = QByteArrayLiteral("open ");
const QByteArray kActivateWord = QByteArrayLiteral("activate");

// Only a real absolute file name: not relative, not one of Qt's ":/"
// resource names, no NUL that the system would cut the name at.
bool AcceptablePath(const QString& path) {
  return QDir::isAbsolutePath(path) && !path.startsWith(u':') && !path.contains(QChar(u'\0'));
}

}  // namespace

QByteArray EncodeOpenRequest(const QString& path) {
  const QByteArray text =
      path.isEmpty() ? kActivateWord : kOpenWord + QByteArray::fromStdString(BytesFromText(path.toStdU16String()));
  QByteArray frame(kOpenRequestHeaderBytes, '\0');
  qToBigEndian(static_cast<quint32>(text.size()), frame.data());
  return frame + text;
}

DecodedOpenRequest DecodeOpenRequest(const QByteArray& received) {
  const DecodedOpenRequest invalid{FrameStatus::Invalid, {}};
  if (received.size() < kOpenRequestHeaderBytes) {
    return {};
  }
  const quint32 length = qFromBigEndian<quint32>(received.constData());
  if (length > static_cast<quint32>(kMaxOpenRequestText)) {
    return invalid;
  }
  // Short of its length the frame is still coming; beyond it, it is not one.
  const qsizetype whole = kOpenRequestHeaderBytes + static_cast<qsizetype>(length);
  if (received.size() != whole) {
    return received.size() < whole ? DecodedOpenRequest{} : invalid;
  }
  const QByteArray text = received.mid(kOpenRequestHeaderBytes);
  if (text == kActivateWord) {
    return {FrameStatus::Valid, {}};
  }
  if (!text.startsWith(kOpenWord)) {
    return invalid;
  }
  const QByteArray bytes = text.mid(kOpenWord.size());
  const QString path = QString::fromStdU16String(TextFromBytes(std::string_view(bytes.constData(), bytes.size())));
  return AcceptablePath(path) ? DecodedOpenRequest{FrameStatus::Valid, path} : invalid;
}

}  // namespace zovek
