// The minimal window plus one Japanese label in the gothic font the editor
// asks for: what showing Japanese text costs on its own (font matching,
// loading the font file, shaping), apart from building the editor's window.
#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QFont::insertSubstitutions(QString::fromUtf8("ＭＳ Ｐゴシック"),
                             {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")});
  QWidget window;
  window.setWindowTitle(QStringLiteral("minimal Qt window, Japanese label"));
  window.setFont(QFont(QString::fromUtf8("ＭＳ Ｐゴシック"), 9));
  auto* layout = new QVBoxLayout(&window);
  layout->addWidget(new QLabel(QString::fromUtf8("キャラクター　技術・シナリオ　アイテム・その他")));
  window.resize(449, 312);
  window.show();
  return QApplication::exec();
}
