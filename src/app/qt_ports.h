#pragma once

#include <QStringList>
#include <string_view>

#include "ports/clock.h"
#include "ports/dialogs.h"
#include "ports/shell.h"

namespace quillory {

// A "description|pattern|description|pattern" filter list as Qt name filters ("Quillory file (*.qlx)"):
// a description that does not already end in its patterns gets them appended in parentheses. Several
// patterns of one filter ("*.txt;*.text") are separated by blanks. An empty list gives no filter.
QStringList QtNameFilters(std::string_view filter);

// The Dialogs port on Qt's own dialogs (never the desktop's native ones, so the filter the user selected
// is reported exactly). Dialogs are parented to the active window; every button of theirs has a mnemonic.
class QtDialogs : public Dialogs {
 public:
  std::optional<FileDialogResult> OpenFile(const FileDialogRequest& request) override;
  // Asks before replacing a file, about the name the selected type's extension gives (ApplyExtension).
  std::optional<FileDialogResult> SaveFile(const FileDialogRequest& request) override;
  std::optional<std::uint32_t> ChooseColor(std::uint32_t initial) override;
  void ShowInformation(const std::string& text) override;
  // The information box with the application icon in place of the information icon.
  void ShowAbout(const std::string& text) override;
  void ShowError(const std::string& text) override;
  SaveChangesAnswer AskSaveChanges(const std::string& question) override;
  bool Confirm(const std::string& question) override;
};

// The Shell port: the desktop's default handler for an address. An address without a scheme
// ("www.example.com") is taken the way the user would type it in a browser.
class QtShell : public Shell {
 public:
  void OpenUrl(const std::string& address) override;
};

// The Clock port on the system clock and the user's locale.
class QtClock : public Clock {
 public:
  LocalTime Now() override;
  std::string FormatShortDate(const CalendarDate& date) override;
  std::string DateSeparator() override;
};

}  // namespace quillory
