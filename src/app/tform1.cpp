#include "app/tform1.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDateEdit>
#include <QLineEdit>
#include <QTabWidget>
#include <QTimer>
#include <QToolTip>

#include "app/application_icon.h"
#include "app/digest_progress.h"
#include "app/fact_binding.h"
#include "app/shortcut_rules.h"
#include "app/text_bridge.h"
#include "commands/file_commands.h"
#include "commands/preview.h"
#include "commands/startup.h"
#include "common/error.h"
#include "text/file_io.h"

namespace quillory {
namespace {

// Tooltips keep their light background under any theme, so their text is forced dark with it.
void SetTooltipColour() {
  QPalette palette = QToolTip::palette();
  palette.setColor(QPalette::ToolTipBase, QColor(0xCD, 0xCE, 0xE0));
  palette.setColor(QPalette::ToolTipText, QColor(0x10, 0x10, 0x18));
  QToolTip::setPalette(palette);
}

// Raised to stop a command the user cancelled; reported by no message.
struct CommandCancelled {};

// The signals a control of the command map reports.
enum class Signal { kClicked, kTriggered, kReturnPressed, kDateChanged, kTabChanged };

// One row of the command map: the control, its signal and its handler.
struct CommandRow {
  const char* control;
  Signal signal;
  void (TForm1::*handler)();
};

// Every control with a command but the NFO toolbar's character buttons, connected as they are made.
const CommandRow kCommandMap[] = {
    {"PageControl1", Signal::kTabChanged, &TForm1::PageControl1Change},
    {"New1", Signal::kTriggered, &TForm1::New1Click},
    {"Open1", Signal::kTriggered, &TForm1::Open1Click},
    {"Save2", Signal::kTriggered, &TForm1::Save2Click},
    {"Save1", Signal::kTriggered, &TForm1::Save1Click},
    {"Exit1", Signal::kTriggered, &TForm1::Exit1Click},
    {"Clearall1", Signal::kTriggered, &TForm1::Clearall1Click},
    {"UndoClearall1", Signal::kTriggered, &TForm1::UndoClearall1Click},
    {"UTF81", Signal::kTriggered, &TForm1::UTF81Click},
    {"iso1", Signal::kTriggered, &TForm1::iso1Click},
    {"iso885921", Signal::kTriggered, &TForm1::iso885921Click},
    {"Body1", Signal::kTriggered, &TForm1::Body1Click},
    {"DFont1", Signal::kTriggered, &TForm1::DFont1Click},
    {"Border1", Signal::kTriggered, &TForm1::Border1Click},
    {"BorderBg1", Signal::kTriggered, &TForm1::BorderBg1Click},
    {"Bold1", Signal::kTriggered, &TForm1::Bold1Click},
    {"H31", Signal::kTriggered, &TForm1::H31Click},
    {"Default1", Signal::kTriggered, &TForm1::Default1Click},
    {"About2", Signal::kTriggered, &TForm1::About2Click},
    {"ClearRegistry1", Signal::kTriggered, &TForm1::ClearRegistry1Click},
    {"Button1", Signal::kClicked, &TForm1::Button1Click},
    {"Button2", Signal::kClicked, &TForm1::Button2Click},
    {"Button3", Signal::kClicked, &TForm1::Button3Click},
    {"Button4", Signal::kClicked, &TForm1::Button4Click},
    {"Button55", Signal::kClicked, &TForm1::Button55Click},
    {"Button57", Signal::kClicked, &TForm1::Button57Click},
    {"Button8", Signal::kClicked, &TForm1::Button8Click},
    {"Button9", Signal::kClicked, &TForm1::Button9Click},
    {"Button10", Signal::kClicked, &TForm1::Button10Click},
    {"Button11", Signal::kClicked, &TForm1::Button11Click},
    {"Button54", Signal::kClicked, &TForm1::Button54Click},
    {"Button56", Signal::kClicked, &TForm1::Button56Click},
    {"Button12", Signal::kClicked, &TForm1::Button12Click},
    {"Button13", Signal::kClicked, &TForm1::Button13Click},
    {"Button14", Signal::kClicked, &TForm1::Button14Click},
    {"Button15", Signal::kClicked, &TForm1::Button15Click},
    {"Button5", Signal::kClicked, &TForm1::Button5Click},
    {"Button6", Signal::kClicked, &TForm1::Button6Click},
    {"Button7", Signal::kClicked, &TForm1::Button7Click},
    {"Button16", Signal::kClicked, &TForm1::Button16Click},
    {"Button17", Signal::kClicked, &TForm1::Button17Click},
    {"Edit4", Signal::kReturnPressed, &TForm1::Edit4KeyDown},
    {"Edit8", Signal::kReturnPressed, &TForm1::Edit8KeyDown},
    {"Edit9", Signal::kReturnPressed, &TForm1::Edit9KeyDown},
    {"Edit12", Signal::kReturnPressed, &TForm1::Edit12KeyDown},
    {"Edit13", Signal::kReturnPressed, &TForm1::Edit13KeyDown},
    {"DateTimePicker1", Signal::kDateChanged, &TForm1::DateTimePicker1Change},
    {"Button18", Signal::kClicked, &TForm1::Button18Click},
    {"Button19", Signal::kClicked, &TForm1::Button19Click},
    {"Button58", Signal::kClicked, &TForm1::Button58Click},
};

}  // namespace

TForm1::TForm1(FormPorts ports, QWidget* parent) : QMainWindow(parent), ports_(std::move(ports)) {
  if (!ports_.exit_program) ports_.exit_program = [] { QCoreApplication::exit(0); };
  setWindowIcon(ApplicationIcon());
  BuildWindow();
  ConnectHandlers();
  qApp->installEventFilter(new ShortcutRules(this));
  FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::FormCreate() {
  Run([this] {
    RunStartupStep(record_, window_, *ports_.association, {ports_.exe_path, ports_.arguments},
                   SetTooltipColour);
  });
  baseline_.Reset(record_);  // also after a failed association: the record is what the start gave
}

bool TForm1::FormClose() {
  return Run([this] {
    if (!MayDiscard()) throw CommandCancelled();
    DeleteTemporaryPage(ports_.temporary_page);
  });
}

bool TForm1::MayDiscard() { return MayDiscardChanges(record_, window_, baseline_, *ports_.dialogs); }

void TForm1::New1Click() {
  Run([this] {
    if (!MayDiscard()) return;
    NewProject(record_, window_);
    clear_all_undo_.Forget();
    baseline_.Reset(record_);
  });
}

void TForm1::Open1Click() {
  Run([this] {
    if (!MayDiscard() || !OpenCommand(record_, window_, *ports_.dialogs)) return;
    clear_all_undo_.Forget();
    baseline_.Reset(record_);
  });
}

void TForm1::Save2Click() {
  Run([this] {
    if (SaveCommand(record_, window_, *ports_.dialogs)) baseline_.Reset(record_);
  });
}

void TForm1::Exit1Click() {
  Run([this] {
    if (MayDiscard()) ports_.exit_program();
  });
}

void TForm1::Clearall1Click() {
  Run([this] { clear_all_undo_.ClearAll(record_); });
}

void TForm1::UndoClearall1Click() {
  Run([this] { clear_all_undo_.Undo(record_); });
}

void TForm1::UTF81Click() {
  Run([this] { ChooseCharset(record_, window_, CharsetItem::kUtf8); });
}

void TForm1::iso1Click() {
  Run([this] { ChooseCharset(record_, window_, CharsetItem::kIso88591); });
}

void TForm1::iso885921Click() {
  Run([this] { ChooseCharset(record_, window_, CharsetItem::kIso88592); });
}

void TForm1::Default1Click() {
  // Default runs the start-up step again, which re-reads the start-up document when there is one.
  const bool rereads = !ports_.arguments.empty() && IsExistingFile(ports_.arguments.front());
  Run([this, rereads] {
    if (rereads && !MayDiscard()) return;
    if (rereads) clear_all_undo_.Forget();
    try {
      RunStartupStep(record_, window_, *ports_.association, {ports_.exe_path, ports_.arguments},
                     SetTooltipColour);
    } catch (...) {
      if (rereads) baseline_.Reset(record_);
      throw;
    }
    if (rereads) baseline_.Reset(record_);
  });
}

void TForm1::ClearRegistry1Click() {
  Run([this] { RemoveFileAssociation(*ports_.association); });
}

void TForm1::closeEvent(QCloseEvent* event) {
  if (digest_) {
    // Closing stops a running digest; the close itself runs once the digest has returned.
    digest_->Stop();
    event->ignore();
    QTimer::singleShot(0, this, &QWidget::close);
    return;
  }
  event->setAccepted(FormClose());
}

void TForm1::ShowFailure(std::exception_ptr failure) noexcept {
  try {
    try {
      std::rethrow_exception(failure);
    } catch (const CommandCancelled&) {
      // The user stopped the command: no message is due.
    } catch (const Error& error) {
      ports_.dialogs->ShowError(ErrorBoxText(error.what()));
    } catch (const std::bad_alloc&) {
      ports_.dialogs->ShowError("Out of memory: the command was not completed.");
    } catch (const std::exception& error) {
      ports_.dialogs->ShowError(std::string("The command was not completed: ") + error.what() + ".");
    } catch (...) {
      ports_.dialogs->ShowError("The command was not completed: an unknown error occurred.");
    }
  } catch (...) {
    // Not even the error box could be shown; the window goes on as it is.
  }
}

bool TForm1::Run(const std::function<void()>& command) {
  bool succeeded = true;
  try {
    command();
  } catch (...) {
    succeeded = false;
    ShowFailure(std::current_exception());
  }
  try {
    Refresh();
  } catch (...) {
    succeeded = false;
    ShowFailure(std::current_exception());
  }
  return succeeded;
}

void TForm1::Connect(QAbstractButton* button, void (TForm1::*handler)()) {
  connect(button, &QAbstractButton::clicked, this,
          [this, handler] { Dispatch([&] { (this->*handler)(); }); });
}

void TForm1::Refresh() {
  // A literal "[*]" in a file name must not be taken for the modification placeholder.
  setWindowTitle(FromUtf8(window_.title).replace(QStringLiteral("[*]"), QStringLiteral("[*][*]")));
  for (auto& fact : facts_) fact->Show();
  for (auto& [action, item] : charset_items_) action->setChecked(window_.IsChecked(item));
  if (undo_clear_all_) undo_clear_all_->setEnabled(clear_all_undo_.CanUndo(record_));
}

void TForm1::Bind(QWidget* control, std::string ReadmeProject::*member, bool multi_line) {
  facts_.push_back(std::make_unique<FactBinding>(control, member, multi_line, record_));
}

void TForm1::ConnectHandlers() {
  for (const CommandRow& row : kCommandMap) {
    QObject* control = findChild<QObject*>(QString::fromLatin1(row.control));
    Q_ASSERT_X(control, "TForm1::ConnectHandlers", row.control);
    if (control == nullptr) continue;
    const auto handler = row.handler;
    auto run = [this, handler] { Dispatch([&] { (this->*handler)(); }); };
    switch (row.signal) {
      case Signal::kClicked:
        connect(static_cast<QAbstractButton*>(control), &QAbstractButton::clicked, this, run);
        break;
      case Signal::kTriggered:
        connect(static_cast<QAction*>(control), &QAction::triggered, this, run);
        break;
      case Signal::kReturnPressed:
        connect(static_cast<QLineEdit*>(control), &QLineEdit::returnPressed, this, run);
        break;
      case Signal::kDateChanged:
        connect(static_cast<QDateEdit*>(control), &QDateEdit::dateChanged, this, run);
        break;
      case Signal::kTabChanged:
        connect(static_cast<QTabWidget*>(control), &QTabWidget::currentChanged, this, run);
        break;
    }
  }
}

}  // namespace quillory
