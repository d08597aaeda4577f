// The yardstick of bench/start_window.sh: a bare main window with a menu bar and four empty tabs, started
// the way the program starts, so the script can set the program's time to map its window against it.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QTabWidget>

int main(int argc, char** argv) {
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
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
