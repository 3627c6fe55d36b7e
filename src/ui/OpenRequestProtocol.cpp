#include "ui/OpenRequestProtocol.h"

#include <QDir>
#include <QStringDecoder>
#include <QtEndian>

namespace zovek {

namespace {

const QString kOpenWord = QStringLiteral("open ");
const QString kActivateWord = QStringLiteral("activate");

// Only a real absolute file name: not relative, not one of Qt's ":/"
// resource names, no NUL that the system would cut the name at.
bool AcceptablePath(const QString& path) {
  return QDir::isAbsolutePath(path) && !path.startsWith(u':') && !path.contains(QChar(u'\0'));
}

}  // namespace

QByteArray EncodeOpenRequest(const QString& path) {
  const QByteArray text = (path.isEmpty() ? kActivateWord : kOpenWord + path).toUtf8();
  QByteArray frame(kOpenRequestHeaderBytes, '\0');
  qToBigEndian(static_cast<quint32>(text.size()), frame.data());
  return frame + text;
}

DecodedOpenRequest DecodeOpenRequest(const QByteArray& received) {
  if (received.size() < kOpenRequestHeaderBytes) {
    return {};
  }
  const quint32 length = qFromBigEndian<quint32>(received.constData());
  if (length > static_cast<quint32>(kMaxOpenRequestText)) {
    return {FrameStatus::Invalid, {}};
  }
  const qsizetype whole = kOpenRequestHeaderBytes + static_cast<qsizetype>(length);
  if (received.size() < whole) {
    return {};
  }
  if (received.size() > whole) {
    return {FrameStatus::Invalid, {}};
  }
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  const QString text = utf8(received.mid(kOpenRequestHeaderBytes));
  if (utf8.hasError()) {
    return {FrameStatus::Invalid, {}};
  }
  if (text == kActivateWord) {
    return {FrameStatus::Valid, {}};
  }
  if (text.startsWith(kOpenWord) && AcceptablePath(text.mid(kOpenWord.size()))) {
    return {FrameStatus::Valid, text.mid(kOpenWord.size())};
  }
  return {FrameStatus::Invalid, {}};
}

}  // namespace zovek
