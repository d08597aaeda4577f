#include "app/qt_ports.h"

#include <QApplication>
#include <QColorDialog>
#include <QDate>
#include <QDesktopServices>
#include <QFileDialog>
#include <QLocale>
#include <QMessageBox>
#include <QTime>
#include <QUrl>

#include "app/application_icon.h"
#include "app/text_bridge.h"
#include "common/error.h"

namespace quillory {
namespace {

std::optional<FileDialogResult> RunFileDialog(const FileDialogRequest& request,
                                              QFileDialog::AcceptMode mode) {
  QFileDialog dialog(QApplication::activeWindow());
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(mode);
  dialog.setFileMode(QFileDialog::AnyFile);  // a typed name need not exist
  if (mode == QFileDialog::AcceptSave) dialog.setOption(QFileDialog::DontConfirmOverwrite);
  if (!request.title.empty()) dialog.setWindowTitle(FromUtf8(request.title));
  const QStringList filters = QtNameFilters(request.filter);
  if (!filters.isEmpty()) {
    dialog.setNameFilters(filters);
    const int index = std::clamp(request.filter_index, 1, static_cast<int>(filters.size()));
    dialog.selectNameFilter(filters[index - 1]);
  }
  if (!request.file_name.empty()) dialog.selectFile(FromUtf8(request.file_name));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  const int selected = static_cast<int>(filters.indexOf(dialog.selectedNameFilter()));
  return FileDialogResult{ToNativePath(dialog.selectedFiles().constFirst()), selected < 0 ? 1 : selected + 1};
}

void ShowBox(QMessageBox::Icon icon, const QString& caption, const std::string& text,
             const QPixmap& picture = QPixmap()) {
  QMessageBox box(icon, caption, FromUtf8(text), QMessageBox::Ok, QApplication::activeWindow());
  if (!picture.isNull()) box.setIconPixmap(picture);
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

std::optional<std::uint32_t> QtDialogs::ChooseColor() {
  const QColor color = QColorDialog::getColor(Qt::black, QApplication::activeWindow());
  if (!color.isValid()) return std::nullopt;
  return static_cast<std::uint32_t>(color.red()) | static_cast<std::uint32_t>(color.green()) << 8 |
         static_cast<std::uint32_t>(color.blue()) << 16;
}

void QtDialogs::ShowInformation(const std::string& text) {
  ShowBox(QMessageBox::Information, QStringLiteral("Information"), text);
}

void QtDialogs::ShowAbout(const std::string& text) {
  ShowBox(QMessageBox::Information, QStringLiteral("Information"), text, ApplicationIcon().pixmap(64));
}

void QtDialogs::ShowError(const std::string& text) {
  ShowBox(QMessageBox::Critical, FromUtf8(kAppTitle), text);
}

SaveChangesAnswer QtDialogs::AskSaveChanges(const std::string& question) {
  QMessageBox box(QMessageBox::Warning, FromUtf8(kAppTitle), FromUtf8(question),
                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                  QApplication::activeWindow());
  box.setDefaultButton(QMessageBox::Save);
  box.setEscapeButton(QMessageBox::Cancel);
  switch (box.exec()) {
    case QMessageBox::Save:
      return SaveChangesAnswer::kSave;
    case QMessageBox::Discard:
      return SaveChangesAnswer::kDiscard;
    default:
      return SaveChangesAnswer::kCancel;
  }
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
