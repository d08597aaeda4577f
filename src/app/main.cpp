#include <QApplication>
#include <QFile>

#include "app/application_icon.h"
#include "app/qt_ports.h"
#include "app/temporary_page.h"
#include "app/text_bridge.h"
#include "app/tform1.h"
#include "app/xdg_association_store.h"

int main(int argc, char** argv) {
  // The browser view of the HTML preview shares its OpenGL context with the window.
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("quillory"));
  // The desktop matches the window to the installed desktop entry and shows the application icon.
  QGuiApplication::setDesktopFileName(QString::fromLatin1(quillory::kApplicationId));
  QApplication::setWindowIcon(quillory::ApplicationIcon());

  quillory::QtDialogs dialogs;
  quillory::QtShell shell;
  quillory::QtClock clock;
  quillory::XdgAssociationStore association(quillory::XdgFolders::FromEnvironment());
  std::vector<std::string> arguments;
  const QStringList command_line = QCoreApplication::arguments();
  for (qsizetype i = 1; i < command_line.size(); ++i)
    arguments.push_back(quillory::ToNativePath(command_line[i]));
  quillory::FormPorts ports{
      .dialogs = &dialogs,
      .shell = &shell,
      .clock = &clock,
      .association = &association,
      .temporary_page = quillory::TemporaryPagePath(),
      .exe_path = quillory::ToNativePath(QCoreApplication::applicationFilePath()),
      .arguments = std::move(arguments),
      .exit_program = [] { QCoreApplication::exit(0); },
  };

  quillory::TForm1 form(std::move(ports));
  form.show();
  return QApplication::exec();
}
