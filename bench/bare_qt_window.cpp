// The toolkit's floor: a Qt Widgets window of the program's collapsed size with one push button,
// and nothing else.
#include <QApplication>
#include <QPushButton>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("Bare Qt"));
  window.setFixedSize(928, 152);
  QPushButton button(QStringLiteral("Open"), &window);
  button.setGeometry(721, 16, 50, 40);
  window.show();
  return QApplication::exec();
}
