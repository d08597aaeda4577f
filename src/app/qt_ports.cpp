#include "app/qt_ports.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QDate>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTime>
#include <QUrl>

#include "app/application_icon.h"
#include "app/text_bridge.h"
#include "common/error.h"
#include "project/project_file.h"

namespace quillory {
namespace {

// Gives every push button of a dialog that has no mnemonic the first letter of its text that no other
// button's mnemonic takes: the platform's texts leave some without one ("Discard", and "OK" and "Cancel"
// where no desktop theme names them).
void GiveMnemonics(QWidget& dialog) {
  const QList<QPushButton*> buttons = dialog.findChildren<QPushButton*>();
  QString taken;
  for (const QPushButton* button : buttons) {
    const qsizetype mark = button->text().indexOf(QLatin1Char('&'));
    if (mark >= 0 && mark + 1 < button->text().size()) taken += button->text().at(mark + 1).toLower();
  }
  for (QPushButton* button : buttons) {
    QString text = button->text();
    if (text.contains(QLatin1Char('&'))) continue;
    for (qsizetype i = 0; i < text.size(); ++i) {
      if (!text.at(i).isLetterOrNumber() || taken.contains(text.at(i).toLower())) continue;
      taken += text.at(i).toLower();
      button->setText(text.insert(i, QLatin1Char('&')));
      break;
    }
  }
}

// The extension the type with that 1-based index gives a name by the extension rule: ".qlx" for the
// pattern "*.qlx"; empty for a pattern of another shape or several patterns.
std::string ExtensionOfType(std::string_view filter, int index) {
  const QStringList parts = FromUtf8(filter).split(QLatin1Char('|'));
  const qsizetype at = 2 * (index - 1) + 1;
  if (index < 1 || at >= parts.size()) return {};
  const QString pattern = parts[at].trimmed();
  if (!pattern.startsWith(QLatin1String("*.")) || pattern.size() < 3 ||
      pattern.indexOf(QRegularExpression(QStringLiteral("[*?;\\[ ]")), 1) >= 0) {
    return {};
  }
  return ToUtf8(pattern.mid(1));
}

// Qt's file dialog, which for a save asks before replacing the file the name will have once the selected
// type's extension is applied (the dialog's own question, about that name).
class FileDialog : public QFileDialog {
 public:
  FileDialog(QWidget* parent, std::string filter) : QFileDialog(parent), filter_(std::move(filter)) {}

  void accept() override {
    const QStringList files = selectedFiles();
    if (acceptMode() != AcceptSave || files.isEmpty() || QFileInfo(files.first()).isDir())
      return QFileDialog::accept();  // a folder is entered, as usual
    const int type = static_cast<int>(nameFilters().indexOf(selectedNameFilter())) + 1;
    const std::string extension = ExtensionOfType(filter_, type);
    QString final_name = files.first();
    if (!extension.empty()) final_name = FromNativePath(ApplyExtension(ToNativePath(final_name), extension));
    const QFileInfo target(final_name);
    if (target.exists() || target.isSymLink()) {
      const QString question =
          QCoreApplication::translate("QFileDialog", "%1 already exists.\nDo you want to replace it?")
              .arg(target.fileName());
      QMessageBox box(QMessageBox::Warning, windowTitle(), question, QMessageBox::Yes | QMessageBox::No,
                      this);
      box.setDefaultButton(QMessageBox::No);
      GiveMnemonics(box);
      if (box.exec() != QMessageBox::Yes) return;
    }
    QFileDialog::accept();
  }

 private:
  std::string filter_;
};

std::optional<FileDialogResult> RunFileDialog(const FileDialogRequest& request,
                                              QFileDialog::AcceptMode mode) {
  FileDialog dialog(QApplication::activeWindow(), request.filter);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(mode);
  dialog.setFileMode(QFileDialog::AnyFile);  // a typed name need not exist
  // The question is asked by FileDialog, about the name as it will be saved.
  if (mode == QFileDialog::AcceptSave) dialog.setOption(QFileDialog::DontConfirmOverwrite);
  if (!request.title.empty()) dialog.setWindowTitle(FromUtf8(request.title));
  const QStringList filters = QtNameFilters(request.filter);
  if (!filters.isEmpty()) {
    dialog.setNameFilters(filters);
    const int index = std::clamp(request.filter_index, 1, static_cast<int>(filters.size()));
    dialog.selectNameFilter(filters[index - 1]);
  }
  if (!request.file_name.empty()) dialog.selectFile(FromUtf8(request.file_name));
  GiveMnemonics(dialog);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  const int selected = static_cast<int>(filters.indexOf(dialog.selectedNameFilter()));
  return FileDialogResult{ToNativePath(dialog.selectedFiles().constFirst()), selected < 0 ? 1 : selected + 1};
}

// A message as a box shows it: in the program's direction even when it starts with a name or a character
// of a right-to-left script (which would otherwise turn the whole sentence around).
QString MessageText(const std::string& text) {
  QString message = FromUtf8(text);
  const bool right_to_left = QApplication::layoutDirection() == Qt::RightToLeft;
  if (message.isRightToLeft() != right_to_left)
    message.prepend(right_to_left ? QChar(0x200F) : QChar(0x200E));
  return message;
}

void ShowBox(QMessageBox::Icon icon, const QString& caption, const std::string& text,
             const QPixmap& picture = QPixmap()) {
  QMessageBox box(icon, caption, MessageText(text), QMessageBox::Ok, QApplication::activeWindow());
  if (!picture.isNull()) box.setIconPixmap(picture);
  GiveMnemonics(box);
  box.exec();
}

}  // namespace

QStringList QtNameFilters(std::string_view filter) {
  QStringList filters;
  const QStringList parts = FromUtf8(filter).split(QLatin1Char('|'));
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString& description = parts[i];
    QString patterns = parts[i + 1];
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    const QString suffix = QStringLiteral("(") + patterns + QStringLiteral(")");
    filters.append(description.endsWith(suffix) ? description : description + QLatin1Char(' ') + suffix);
  }
  return filters;
}

std::optional<FileDialogResult> QtDialogs::OpenFile(const FileDialogRequest& request) {
  return RunFileDialog(request, QFileDialog::AcceptOpen);
}

std::optional<FileDialogResult> QtDialogs::SaveFile(const FileDialogRequest& request) {
  return RunFileDialog(request, QFileDialog::AcceptSave);
}

std::optional<std::uint32_t> QtDialogs::ChooseColor(std::uint32_t initial) {
  const QColor start(static_cast<int>(initial & 0xFF), static_cast<int>(initial >> 8 & 0xFF),
                     static_cast<int>(initial >> 16 & 0xFF));
  QColorDialog dialog(start, QApplication::activeWindow());
  GiveMnemonics(dialog);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QColor color = dialog.selectedColor();
  if (!color.isValid()) return std::nullopt;
  return static_cast<std::uint32_t>(color.red()) | static_cast<std::uint32_t>(color.green()) << 8 |
         static_cast<std::uint32_t>(color.blue()) << 16;
}

void QtDialogs::ShowInformation(const std::string& text) {
  ShowBox(QMessageBox::Information, QStringLiteral("Information"), text);
}

void QtDialogs::ShowAbout(const std::string& text) {
  ShowBox(QMessageBox::Information, QStringLiteral("About Quillory"), text, ApplicationIcon().pixmap(64));
}

void QtDialogs::ShowError(const std::string& text) {
  ShowBox(QMessageBox::Critical, FromUtf8(kAppTitle), text);
}

SaveChangesAnswer QtDialogs::AskSaveChanges(const std::string& question) {
  QMessageBox box(QMessageBox::Warning, FromUtf8(kAppTitle), MessageText(question),
                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                  QApplication::activeWindow());
  box.setDefaultButton(QMessageBox::Save);
  box.setEscapeButton(QMessageBox::Cancel);
  GiveMnemonics(box);
  switch (box.exec()) {
    case QMessageBox::Save:
      return SaveChangesAnswer::kSave;
    case QMessageBox::Discard:
      return SaveChangesAnswer::kDiscard;
    default:
      return SaveChangesAnswer::kCancel;
  }
}

bool QtDialogs::Confirm(const std::string& question) {
  QMessageBox box(QMessageBox::Question, FromUtf8(kAppTitle), MessageText(question),
                  QMessageBox::Yes | QMessageBox::No, QApplication::activeWindow());
  box.setDefaultButton(QMessageBox::No);
  box.setEscapeButton(QMessageBox::No);
  GiveMnemonics(box);
  return box.exec() == QMessageBox::Yes;
}

void QtShell::OpenUrl(const std::string& address) {
  QDesktopServices::openUrl(QUrl::fromUserInput(FromUtf8(address)));
}

LocalTime QtClock::Now() {
  const QTime now = QTime::currentTime();
  return LocalTime{now.hour(), now.minute()};
}

std::string QtClock::FormatShortDate(const CalendarDate& date) {
  return ToUtf8(QLocale().toString(QDate(date.year, date.month, date.day), QLocale::ShortFormat));
}

std::string QtClock::DateSeparator() {
  // Qt names no date separator: take the first character of the short format that is no field letter.
  const QString format = QLocale().dateFormat(QLocale::ShortFormat);
  for (const QChar c : format) {
    if (!c.isLetter() && c != QLatin1Char('\'')) return ToUtf8(QString(c));
  }
  return "/";
}

}  // namespace quillory
