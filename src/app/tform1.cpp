#include "app/tform1.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMetaMethod>
#include <QToolTip>

#include "app/application_icon.h"
#include "app/fact_binding.h"
#include "app/shortcut_rules.h"
#include "app/text_bridge.h"
#include "common/error.h"
#include "project/file_commands.h"
#include "project/startup.h"
#include "readme/preview.h"

namespace quillory {
namespace {

void SetTooltipColour() {
  QPalette palette = QToolTip::palette();
  palette.setColor(QPalette::ToolTipBase, QColor(0xCD, 0xCE, 0xE0));
  QToolTip::setPalette(palette);
}

// The handler named after a control: "Button5" gives Button5Click(). Invalid when there is none.
QMetaMethod HandlerOf(const QObject& form, const QString& control) {
  const QByteArray signature = control.toLatin1() + "Click()";
  return form.metaObject()->method(form.metaObject()->indexOfSlot(signature.constData()));
}

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
}

bool TForm1::FormClose() {
  return Run([this] { DeleteTemporaryPage(ports_.temporary_page); });
}

void TForm1::New1Click() {
  Run([this] { NewProject(record_, window_); });
}

void TForm1::Open1Click() {
  Run([this] { OpenCommand(record_, window_, *ports_.dialogs); });
}

void TForm1::Save2Click() {
  Run([this] { SaveCommand(record_, window_, *ports_.dialogs); });
}

void TForm1::Exit1Click() { ports_.exit_program(); }

void TForm1::Clearall1Click() {
  Run([this] { ClearAll(record_); });
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

void TForm1::Default1Click() { FormCreate(); }

void TForm1::ClearRegistry1Click() {
  Run([this] { RemoveFileAssociation(*ports_.association); });
}

void TForm1::closeEvent(QCloseEvent* event) { event->setAccepted(FormClose()); }

bool TForm1::Run(const std::function<void()>& command) {
  bool succeeded = true;
  try {
    command();
  } catch (const Error& error) {
    succeeded = false;
    ports_.dialogs->ShowError(ErrorBoxText(error.what()));
  }
  Refresh();
  return succeeded;
}

void TForm1::Refresh() {
  // A literal "[*]" in a file name must not be taken for the modification placeholder.
  setWindowTitle(FromUtf8(window_.title).replace(QStringLiteral("[*]"), QStringLiteral("[*][*]")));
  for (auto& fact : facts_) fact->Show();
  for (auto& [action, item] : charset_items_) action->setChecked(window_.IsChecked(item));
}

void TForm1::Bind(QWidget* control, std::string ReadmeProject::*member, bool multi_line) {
  facts_.push_back(std::make_unique<FactBinding>(control, member, multi_line, record_));
}

void TForm1::ConnectHandlers() {
  const QMetaMethod clicked = QMetaMethod::fromSignal(&QAbstractButton::clicked);
  for (QAbstractButton* button : findChildren<QAbstractButton*>()) {
    const QMetaMethod handler = HandlerOf(*this, button->objectName());
    if (handler.isValid()) connect(button, clicked, this, handler);
  }
  const QMetaMethod triggered = QMetaMethod::fromSignal(&QAction::triggered);
  for (QAction* action : findChildren<QAction*>()) {
    const QMetaMethod handler = HandlerOf(*this, action->objectName());
    if (handler.isValid()) connect(action, triggered, this, handler);
  }
}

}  // namespace quillory
