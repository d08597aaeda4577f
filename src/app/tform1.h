#pragma once

#include <QMainWindow>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ports/association_store.h"
#include "ports/clock.h"
#include "ports/dialogs.h"
#include "ports/shell.h"
#include "project/readme_project.h"
#include "commands/document_baseline.h"
#include "commands/window_state.h"
#include "text/input_source.h"

class QAction;
class QMenu;
class QCheckBox;
class QDateEdit;
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
};

// The main window: the layout of its controls and the map from each control to its command. Every
// widget's objectName is its control name (Edit1, Memo6, Button39, UTF81, ...), and every handler is
// named after its control and event. Handlers run a command of the core through Run; the command map
// (tform1.cpp) connects each control's signal to its handler, the palette buttons to InsertPalette.
class TForm1 : public QMainWindow {
  Q_OBJECT

 public:
  // Lays the window out and runs the start-up step.
  explicit TForm1(FormPorts ports, QWidget* parent = nullptr);
  ~TForm1() override;

  const ReadmeProject& record() const { return record_; }
  const WindowState& window_state() const { return window_; }

 public slots:
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

  // Edit.
  void Clearall1Click();
  void UndoClearall1Click();
  void UTF81Click();
  void iso1Click();
  void iso885921Click();
  void Body1Click();
  void DFont1Click();
  void Border1Click();
  void BorderBg1Click();
  void Bold1Click();
  void H31Click();
  void Default1Click();

  // Help.
  void About2Click();
  void ClearRegistry1Click();

  // Editor tab: load and clear the text areas.
  void Button1Click();
  void Button2Click();
  void Button3Click();
  void Button4Click();
  void Button55Click();
  void Button57Click();
  void Button8Click();
  void Button9Click();
  void Button10Click();
  void Button11Click();
  void Button54Click();
  void Button56Click();
  // Editor tab: copyright additions.
  void Button12Click();
  void Button13Click();
  void Button14Click();
  void Button15Click();
  // Editor tab: visit an address, by button or by Enter.
  void Button5Click();
  void Button6Click();
  void Button7Click();
  void Button16Click();
  void Button17Click();
  void Edit4KeyDown();
  void Edit8KeyDown();
  void Edit9KeyDown();
  void Edit12KeyDown();
  void Edit13KeyDown();
  // Editor tab: release date, file size and digest.
  void DateTimePicker1Change();
  void Button18Click();
  void Button19Click();
  void Button58Click();

  // NFO tab: the character palette (InsertPalette), the text tools and Save.
  void Button38Click();
  void Button32Click();
  void Button20Click();
  void Button39Click();

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
  // Whether a command that discards the record may go on (asks when there are unsaved changes).
  bool MayDiscard();
  // Puts the record and the window state into the widgets: title, fields, Character Set check marks.
  void Refresh();

  // Layout (tform1_layout.cpp, tform1_tabs.cpp).
  void BuildWindow();
  void BuildMenus();
  QWidget* BuildEditorTab();
  QWidget* BuildPreviewTextTab();
  QWidget* BuildPreviewHtmlTab();
  QWidget* BuildNfoTab();
  void SetEditorTabOrder();
  // Connects every control of the command map to its handler.
  void ConnectHandlers();
  // Runs a handler from a signal: nothing it raises leaves the slot.
  void Dispatch(void (TForm1::*handler)()) noexcept;
  void Bind(QWidget* control, std::string ReadmeProject::*member, bool multi_line);

  // Inserts the byte of a palette button into the NFO memo.
  void InsertPalette(size_t position);
  // Sizes the date picker for the longest short date of the locale and puts the Time box beside it.
  void FitDatePicker();

  FormPorts ports_;
  ReadmeProject record_;
  WindowState window_;
  DocumentBaseline baseline_;
  ClearAllUndo clear_all_undo_;
  DigestProgress* digest_ = nullptr;  // the digest running, if any
  QAction* undo_clear_all_ = nullptr;
  QTabWidget* page_control_ = nullptr;
  PreviewText* preview_text_ = nullptr;
  WebPreview* web_preview_ = nullptr;
  NfoMemo* nfo_memo_ = nullptr;
  QDateEdit* date_picker_ = nullptr;
  QCheckBox* time_box_ = nullptr;
  std::vector<std::unique_ptr<FactBinding>> facts_;
  std::vector<std::pair<QAction*, CharsetItem>> charset_items_;
};

}  // namespace quillory
