#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.setWindowTitle(QStringLiteral("WrenfoldV2.5"));
  window.resize(760, 569);
  window.show();
  return app.exec();
}
