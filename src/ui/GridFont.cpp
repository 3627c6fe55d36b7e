#include "ui/GridFont.h"

namespace zovek {

QStringList GridFontSubstitutes() {
  // IPA P Gothic is drawn to the metrics of the proportional MS gothic; the
  // others are common Japanese gothic fonts for systems without it.
  return {QStringLiteral("IPAPGothic"),          QStringLiteral("IPA Pゴシック"),
          QStringLiteral("IPAGothic"),           QStringLiteral("IPAゴシック"),
          QStringLiteral("Noto Sans CJK JP"),    QStringLiteral("Source Han Sans JP"),
          QStringLiteral("Hiragino Kaku Gothic ProN"), QStringLiteral("Hiragino Sans"),
          QStringLiteral("MS PGothic"),          QStringLiteral("Meiryo"),
          QStringLiteral("TakaoPGothic"),        QStringLiteral("VL PGothic")};
}

QFont GridFont() {
  [[maybe_unused]] static const bool registered = [] {
    QFont::insertSubstitutions(QString::fromUtf8(kGridFontFamily), GridFontSubstitutes());
    return true;
  }();
  return QFont(QString::fromUtf8(kGridFontFamily), kGridFontPointSize);
}

}  // namespace zovek
