#include "app/web_preview.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QOpenGLContext>
#include <QPlainTextEdit>
#include <QPluginLoader>
#include <QStringDecoder>
#include <QVBoxLayout>

#include "app/browser_plugin.h"
#include "app/fonts.h"
#include "app/text_bridge.h"
#include "fields/web_address.h"
#include "text/codepage.h"
#include "text/file_io.h"

// Qt's own setter of the context that every OpenGL context of the program shares with.
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* context);

namespace quillory {
namespace {

QtMessageHandler kept_handler = nullptr;

void DropLateAttributeWarning(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (!message.contains(QLatin1String("must be set before QCoreApplication")) && kept_handler != nullptr)
    kept_handler(type, context, message);
}

// Qt WebEngine draws through an OpenGL context shared with the program's windows. Qt makes that context
// as the application starts when Qt::AA_ShareOpenGLContexts is set, loading the OpenGL driver for a tab
// that may never be shown; it is made here instead, as the plugin is loaded. It lives until the program
// ends. Without OpenGL, Qt WebEngine draws in software.
void ShareOpenGlContexts() {
  if (QOpenGLContext::globalShareContext() != nullptr) return;
  // Qt warns that the attribute comes late: here that is the point, the context is made just below.
  kept_handler = qInstallMessageHandler(DropLateAttributeWarning);
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  qInstallMessageHandler(kept_handler);
  auto* context = new QOpenGLContext;
  if (!context->create()) {
    delete context;
    return;
  }
  qt_gl_set_global_share_context(context);
}

// The plugin from the first folder that holds a loadable one, else nullptr with the notice that says why.
// A plugin file that does not load (Qt WebEngine missing, say) is reported on the standard error and the
// next folder is tried. Nothing is loaded when Qt WebEngine would refuse to run.
BrowserPlugin* LoadBrowserPlugin(const char*& notice) {
  notice = kNoPageViewNotice;
  if (WebEngineRefusesToRun(::geteuid(), qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"),
                            qgetenv("QTWEBENGINE_CHROMIUM_FLAGS"))) {
    notice = kPageViewAsRootNotice;
    return nullptr;
  }
  for (const QString& folder : BrowserPluginFolders()) {
    const QString file = folder + QStringLiteral("/" QUILLORY_WEBVIEW_FILE);
    if (!QFileInfo::exists(file)) continue;
    ShareOpenGlContexts();
    QPluginLoader loader(file);  // the library stays loaded when the loader goes
    if (auto* plugin = qobject_cast<BrowserPlugin*>(loader.instance())) return plugin;
    qWarning("quillory: %s", qPrintable(loader.errorString()));
    notice = kPageViewFailedNotice;
  }
  return nullptr;
}

// The page's bytes as text, decoded as the page declares; ISO-8859-1 and an encoding Qt does not know are
// read as Windows-1252, as browsers do.
QString PageSource(const std::string& bytes) {
  const QByteArrayView view(bytes.data(), static_cast<qsizetype>(bytes.size()));
  QStringDecoder decoder = QStringDecoder::decoderForHtml(view);
  if (!decoder.isValid() || QStringConverter::encodingForHtml(view) == QStringConverter::Latin1)
    return FromRecordText(Cp1252ToUtf8(bytes), true);
  QString text = decoder.decode(view);
  return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace

bool WebEngineRefusesToRun(unsigned effective_uid, bool disable_sandbox_set,
                           const QByteArray& chromium_flags) {
  if (effective_uid != 0 || disable_sandbox_set) return false;
  return !chromium_flags.simplified().split(' ').contains("--no-sandbox");
}

QStringList BrowserPluginFolders() {
  const QString chosen = qEnvironmentVariable("QUILLORY_PLUGIN_DIR");
  if (!chosen.isEmpty()) return {chosen};
  const QString here = QCoreApplication::applicationDirPath();
  return {here, here + QStringLiteral("/" QUILLORY_PLUGIN_RELATIVE_DIR)};
}

WebPreview::WebPreview(Shell& shell, QWidget* parent) : QWidget(parent), shell_(shell) {
  setObjectName(QStringLiteral("WebBrowser1"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
}

void WebPreview::EnsureView() {
  if (ready_) return;
  ready_ = true;
  const char* notice_text = nullptr;
  if (BrowserPlugin* plugin = LoadBrowserPlugin(notice_text)) {
    page_view_ = plugin->CreateView(this, [this](const QUrl& address) {
      const std::string web = WebAddressToOpen(ToUtf8(address.toString()));
      if (!web.empty()) shell_.OpenUrl(web);
    });
    layout()->addWidget(page_view_->widget());
    return;
  }
  auto* notice = new QLabel(QString::fromLatin1(notice_text), this);
  notice->setObjectName(QStringLiteral("WebBrowser1Notice"));
  notice->setContentsMargins(4, 3, 4, 3);
  source_ = new QPlainTextEdit(this);
  source_->setObjectName(QStringLiteral("WebBrowser1Source"));
  source_->setReadOnly(true);
  source_->setFont(ConsoleFont());
  layout()->addWidget(notice);
  layout()->addWidget(source_);
}

void WebPreview::ShowPage(const std::string& path) {
  EnsureView();
  if (page_view_ != nullptr) return page_view_->Load(QUrl::fromLocalFile(FromNativePath(path)));
  source_->setPlainText(PageSource(ReadWholeFile(path)));
}

void WebPreview::ShowBlank() {
  EnsureView();
  if (page_view_ != nullptr) return page_view_->Load(QUrl(QStringLiteral("about:blank")));
  source_->clear();
}

}  // namespace quillory
