#include "app/tform1.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QTimer>
#include <QToolTip>

#include "app/application_icon.h"
#include "app/digest_progress.h"
#include "app/document_drop.h"
#include "app/fact_binding.h"
#include "app/focus_ring.h"
#include "app/nfo_memo.h"
#include "app/recent_settings.h"
#include "app/shortcut_rules.h"
#include "app/text_bridge.h"
#include "commands/preview.h"
#include "common/error.h"

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

}  // namespace

TForm1::TForm1(FormPorts ports, QWidget* parent)
    : QMainWindow(parent),
      ports_(std::move(ports)),
      session_(*ports_.dialogs, *ports_.association, {ports_.exe_path, ports_.arguments}, SetTooltipColour) {
  if (!ports_.exit_program) ports_.exit_program = [] { QCoreApplication::exit(0); };
  setWindowIcon(ApplicationIcon());
  BuildWindow();
  session_.AttachNfoMemo(*nfo_memo_);
  stored_recent_ = RecentSettings(ports_.settings_file).Load();
  session_.SetRecent(stored_recent_);
  FillRecentMenu();
  qApp->installEventFilter(new ShortcutRules(this));
  qApp->installEventFilter(new DocumentDrop(this, [this](const std::string& path) { DropDocument(path); }));
  new FocusRing(this);
  FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::FormCreate() {
  Run([this] { session_.Start(); });
}

bool TForm1::FormClose() {
  return Run([this] {
    if (!session_.MayDiscard()) throw CommandCancelled();
    DeleteTemporaryPage(ports_.temporary_page);
  });
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

void TForm1::Refresh() {
  // "NAME[*] - Quillory v0.1": the mark after the file name; a literal "[*]" in a file name must not be
  // taken for the mark.
  const QString application = FromUtf8(kAppTitle);
  const std::string& path = session_.record().document_path;
  if (path.empty()) {
    setWindowTitle(application + QStringLiteral("[*]"));
  } else {
    QString name = FromNativePath(LastPathComponent(path));
    setWindowTitle(name.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]")) + QStringLiteral("[*] - ") +
                   application);
  }
  for (auto& fact : facts_) fact->Show();
  ShowModified();
  for (auto& [action, item] : charset_items_) action->setChecked(session_.window().IsChecked(item));
  if (undo_clear_all_) undo_clear_all_->setEnabled(session_.CanUndoClearAll());
  if (session_.recent().paths() != stored_recent_) {
    stored_recent_ = session_.recent().paths();
    RecentSettings(ports_.settings_file).Store(stored_recent_);
    FillRecentMenu();
  }
}

void TForm1::ShowModified() { setWindowModified(session_.IsModified()); }

}  // namespace quillory
