#include "ui/WindowLanguage.h"

#include <memory>

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "names/NameLanguage.h"

namespace zovek {

namespace {

// The translators installed now: Qt's own and ours.
std::unique_ptr<QTranslator>& Installed(int which) {
  static std::unique_ptr<QTranslator> translators[2];
  return translators[which];
}

bool Install(int which, const QString& file, const QString& folder) {
  std::unique_ptr<QTranslator>& slot = Installed(which);
  if (slot) QCoreApplication::removeTranslator(slot.get());
  slot = std::make_unique<QTranslator>();
  if (!slot->load(file, folder)) {
    slot.reset();
    return false;
  }
  QCoreApplication::installTranslator(slot.get());  // false for an empty file, such as Qt's own English
  return true;
}

}  // namespace

bool InstallWindowLanguage(const QString& language) {
  const bool japanese = language == QStringLiteral("ja");
  bool loaded = Install(0, QStringLiteral("qtbase_") + language, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
  if (japanese) {
    if (Installed(1)) QCoreApplication::removeTranslator(Installed(1).get());
    Installed(1).reset();
  } else {
    loaded = Install(1, QStringLiteral("zovek_") + language, QStringLiteral(":/i18n")) && loaded;
  }
  UseNameLanguage(japanese ? NameLanguage::Japanese : NameLanguage::English, japanese ? nullptr : TranslateCoreText);
  return loaded;
}

QString CoreText(std::string_view marked) {
  return QCoreApplication::translate("Captions", std::string(marked).c_str());
}

std::string TranslateCoreText(const char* context, const char* text) {
  return QCoreApplication::translate(context, text).toStdString();
}

}  // namespace zovek
