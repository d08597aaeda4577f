#pragma once

#include <QWidget>

#include "ports/shell.h"
#include "ports/views.h"

class QPlainTextEdit;

namespace quillory {

class PluginPageView;

// The HTML preview tab. Its browser view comes from the plugin library quillory_webview, loaded when the
// first page is shown, so the window starts without Qt WebEngine. A link clicked in the view is not
// followed; a web address is handed to the desktop's browser through the shell. When the view cannot be
// had (the plugin or Qt WebEngine missing, the plugin failing to load, or Qt WebEngine about to refuse to
// run, which would end the whole program), the tab shows the page source, read-only, under a one-line
// notice that says why.
class WebPreview : public QWidget, public BrowserView {
  Q_OBJECT

 public:
  WebPreview(Shell& shell, QWidget* parent = nullptr);

  // Raises "Cannot open file ..." when the source fallback cannot read the page.
  void ShowPage(const std::string& path) override;
  void ShowBlank() override;

 private:
  void EnsureView();

  Shell& shell_;
  bool ready_ = false;
  PluginPageView* page_view_ = nullptr;  // the plugin's view, or nullptr
  QPlainTextEdit* source_ = nullptr;     // the fallback, or nullptr
};

// The notices above the page source: no plugin found, a plugin that did not load, and Qt WebEngine that
// would refuse to run as root.
inline constexpr const char* kNoPageViewNotice = "The page view is not installed; showing the page source.";
inline constexpr const char* kPageViewFailedNotice =
    "The page view could not be loaded; showing the page source.";
inline constexpr const char* kPageViewAsRootNotice =
    "The page view does not run as root without its sandbox; showing the page source.";

// Whether Qt WebEngine would refuse to start, and end the process, for a process of that effective user
// id and environment: the superuser with the sandbox on. The sandbox is off when QTWEBENGINE_DISABLE_SANDBOX
// is set (to any value, as Qt WebEngine reads it) or QTWEBENGINE_CHROMIUM_FLAGS holds "--no-sandbox".
bool WebEngineRefusesToRun(unsigned effective_uid, bool disable_sandbox_set,
                           const QByteArray& chromium_flags);

// The folders searched for the plugin, in order: the one named by QUILLORY_PLUGIN_DIR alone when that is
// set, else the program's own folder (the build tree), then the installed plugin folder relative to it.
QStringList BrowserPluginFolders();

}  // namespace quillory
