#include <unistd.h>

#include <QApplication>
#include <QFile>
#include <climits>
#include <string>

#include "app/application_icon.h"
#include "app/qt_ports.h"
#include "app/temporary_page.h"
#include "app/text_bridge.h"
#include "app/tform1.h"
#include "app/xdg_association_store.h"

namespace {

// The running program file as the file system names it, byte for byte: Qt's name for it is empty or
// altered when the path is not UTF-8.
std::string ProgramPath() {
  std::string path(PATH_MAX, '\0');
  const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size());
  if (length > 0 && static_cast<size_t>(length) < path.size()) {
    path.resize(static_cast<size_t>(length));
    if (::access(path.c_str(), F_OK) == 0) return path;  // not a file replaced since it started
  }
  return quillory::ToNativePath(QCoreApplication::applicationFilePath());
}

}  // namespace

int main(int argc, char** argv) {
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
      .exe_path = ProgramPath(),
      .arguments = std::move(arguments),
      .exit_program = [] { QCoreApplication::exit(0); },
      .settings_file = {},
  };

  quillory::TForm1 form(std::move(ports));
  form.show();
  return QApplication::exec();
}
