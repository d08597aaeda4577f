#pragma once

#include <QMainWindow>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "commands/document_session.h"
#include "commands/field_commands.h"
#include "commands/window_state.h"
#include "fields/md5.h"
#include "ports/association_store.h"
#include "ports/clock.h"
#include "ports/dialogs.h"
#include "ports/shell.h"
#include "project/facts.h"
#include "project/readme_project.h"
#include "text/input_source.h"

class QAction;
class QCheckBox;
class QDateEdit;
class QGroupBox;
class QMenu;
class QScrollArea;
class QTabWidget;
class QWidget;

namespace quillory {

class DigestProgress;
class FactBinding;
class NfoMemo;
class PreviewText;
class WebPreview;

// What the main window is given from outside: the platform's services and the facts of the process.
struct FormPorts {
  Dialogs* dialogs = nullptr;
  Shell* shell = nullptr;
  Clock* clock = nullptr;
  AssociationStore* association = nullptr;
  std::string temporary_page;          // the fixed path of the temporary preview page
  std::string exe_path;                // the running program file
  std::vector<std::string> arguments;  // the command line without the program's own name
  std::function<void()> exit_program;  // ends the program at once, without the close handling
  std::string settings_file;           // the user's settings (recent documents); empty: the usual file
};

// The main window: the layout of its controls and the map from each control to its command. Every
// widget's objectName is its control name (Edit1, Memo6, Button39, UTF81, ...). Each layout row creates
// its control and connects it to its handler; a handler runs one command of the core through Run.
class TForm1 : public QMainWindow {
  Q_OBJECT

 public:
  // Lays the window out and runs the start-up step.
  explicit TForm1(FormPorts ports, QWidget* parent = nullptr);
  ~TForm1() override;

  const ReadmeProject& record() const { return session_.record(); }

  // The window and its page control.
  void FormCreate();
  bool FormClose();  // whether the window may close
  void PageControl1Change();

  // File.
  void New1Click();
  void Open1Click();
  void Save2Click();
  void Save1Click();
  void Exit1Click();
  void OpenRecentClick(std::string path);      // an item of File > Open Recent
  void ClearRecentClick();                     // File > Open Recent > Clear Menu
  void DropDocument(const std::string& path);  // a .qlx dropped on the window

  // Edit.
  void Clearall1Click();
  void UndoClearall1Click();
  void CharsetClick(CharsetItem item);                  // UTF81, iso1, iso885921
  void ColorClick(std::string ReadmeProject::*colour);  // Body1, DFont1, Border1, BorderBg1, Bold1, H31
  void Default1Click();

  // Help.
  void About2Click();
  void ClearRegistry1Click();

  // Editor tab.
  void LoadTextClick(std::string ReadmeProject::*text);   // the "..." of a text area
  void ClearTextClick(std::string ReadmeProject::*text);  // the "-" of a text area
  void VisitClick(std::string ReadmeProject::*address);   // the ">" of an address, or Enter in it
  void CopyrightClick(CopyrightAddition addition);        // Button15, Button12, Button13, Button14
  void DateTimePicker1Change();
  void Button18Click();  // file size
  void Button19Click();  // MD5
  void Button58Click();  // SHA-256

  // NFO tab.
  void CharacterClick(unsigned char byte);  // a character button of the toolbar
  void Button38Click();                     // R
  void Button32Click();                     // Date
  void Button20Click();                     // Time
  void Button39Click();                     // Save

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // A digest command with its progress dialog (label: the dialog's text); closing the window stops it.
  void RunDigest(const QString& label, const std::function<void(const ReadProgress&)>& command);
  // Runs a command; whatever it raises is shown by ShowFailure. Then every widget is refreshed from the
  // record. Returns whether the command ended without an error.
  bool Run(const std::function<void()>& command);
  // The one place a failure of a command is reported: a quillory::Error in the standard error box, anything
  // else (an allocation failure included) as an error box saying the command was not completed.
  void ShowFailure(std::exception_ptr failure) noexcept;
  // Puts the record and the window state into the widgets: title and its modified mark, fields, Character
  // Set check marks, the recent documents (stored when they changed).
  void Refresh();
  // The title's modified mark, after an edit in a field.
  void ShowModified();
  // Fills File > Open Recent from the session's list.
  void FillRecentMenu();

  // Runs a handler from a signal: nothing it raises leaves the slot.
  template <typename Handler>
  void Dispatch(const Handler& handler) noexcept {
    try {
      handler();
    } catch (...) {
      ShowFailure(std::current_exception());
    }
  }
  // Connects a signal of a control to a handler that the signal's arguments do not reach.
  template <typename Sender, typename Signal, typename Handler>
  void On(Sender* control, Signal signal, Handler handler) {
    connect(control, signal, this, [this, handler] { Dispatch(handler); });
  }

  // Layout (tform1_layout.cpp, tform1_editor.cpp, tform1_tabs.cpp).
  void BuildWindow();
  // Sizes and places the window on its screen (FitWindow); the page area scrolls when it does not fit.
  void FitToScreen();
  void BuildMenus();
  QWidget* BuildEditorTab();
  // The one-line facts of the upper group box, their buttons and the date picker; returns the fields and
  // then the buttons in reading order.
  std::pair<std::vector<QWidget*>, std::vector<QWidget*>> BuildUpperBox(QGroupBox* box);
  // The text areas of the lower group box; returns the areas and then their buttons in reading order.
  std::pair<std::vector<QWidget*>, std::vector<QWidget*>> BuildLowerBox(QGroupBox* box);
  // The release-date picker and its Time box, on the row of the release date at y.
  void AddDatePicker(QGroupBox* box, int y);
  QWidget* BuildPreviewTextTab();
  QWidget* BuildPreviewHtmlTab();
  QWidget* BuildNfoTab();
  QWidget* BuildNfoToolbar();

  FormPorts ports_;
  DocumentSession session_;
  DigestProgress* digest_ = nullptr;  // the digest running, if any
  QAction* undo_clear_all_ = nullptr;
  QMenu* recent_menu_ = nullptr;
  std::vector<QAction*> recent_items_;
  std::vector<std::string> stored_recent_;  // the recent documents as stored and shown
  QScrollArea* page_area_ = nullptr;
  QTabWidget* page_control_ = nullptr;
  PreviewText* preview_text_ = nullptr;
  WebPreview* web_preview_ = nullptr;
  NfoMemo* nfo_memo_ = nullptr;
  QDateEdit* date_picker_ = nullptr;
  QCheckBox* time_box_ = nullptr;
  QWidget* first_field_ = nullptr;  // the Editor's first field, which has the focus at start
  std::vector<std::unique_ptr<FactBinding>> facts_;
  std::vector<std::pair<QAction*, CharsetItem>> charset_items_;
};

}  // namespace quillory
