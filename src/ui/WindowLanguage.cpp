#include "ui/WindowLanguage.h"

#include <memory>

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "names/NameLanguage.h"

namespace zovek {

namespace {

// Puts the translator from `file` in `slot`, in place of the one there, or
// none when `file` is empty. A translator leaves the application when it is
// deleted. False when the file could not be loaded.
bool Install(std::unique_ptr<QTranslator>& slot, const QString& file, const QString& folder) {
  slot.reset();
  if (file.isEmpty()) return true;
  auto translator = std::make_unique<QTranslator>();
  if (!translator->load(file, folder)) return false;
  QCoreApplication::installTranslator(translator.get());  // false for an empty file, such as Qt's own English
  slot = std::move(translator);
  return true;
}

}  // namespace

bool InstallWindowLanguage(const QString& language) {
  static std::unique_ptr<QTranslator> qtOwn;
  static std::unique_ptr<QTranslator> ours;
  const bool japanese = language == QStringLiteral("ja");
  const bool qtLoaded =
      Install(qtOwn, QStringLiteral("qtbase_") + language, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
  const bool oursLoaded = Install(ours, japanese ? QString() : QStringLiteral("zovek_") + language, QStringLiteral(":/i18n"));
  UseNameLanguage(japanese ? NameLanguage::Japanese : NameLanguage::English, japanese ? nullptr : TranslateCoreText);
  return qtLoaded && oursLoaded;
}

QString CoreText(std::string_view marked) {
  return QCoreApplication::translate("Captions", std::string(marked).c_str());
}

std::string TranslateCoreText(const char* context, const char* text) {
  return QCoreApplication::translate(context, text).toStdString();
}

}  // namespace zovek
