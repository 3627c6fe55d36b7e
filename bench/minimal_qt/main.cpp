// A Qt Widgets program that shows one empty window and waits to be closed.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("minimal Qt window"));
  window.resize(449, 312);  // the editor window's client size
  window.show();
  return QApplication::exec();
}
