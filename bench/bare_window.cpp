// The yardstick of bench/start_window.sh: a bare main window with a menu bar and four empty tabs, started
// the same way as the program (same display, same launcher) and timed until its window is mapped.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QTabWidget>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QMainWindow window;
  window.setWindowTitle(QStringLiteral("Bare window"));
  for (const char* title : {"File", "Edit", "Help"}) window.menuBar()->addMenu(QString::fromLatin1(title));
  auto* tabs = new QTabWidget;
  for (const char* title : {"Editor", "Preview Text", "Preview Html", "NFO"})
    tabs->addTab(new QWidget, QString::fromLatin1(title));
  window.setCentralWidget(tabs);
  window.resize(692, 680);  // about the program's size
  window.show();
  return QApplication::exec();
}
