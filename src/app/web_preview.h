#pragma once

#include <QWidget>

#include "ports/shell.h"
#include "ports/views.h"

class QPlainTextEdit;

namespace quillory {

class PluginPageView;

// The HTML preview tab. Its browser view comes from the plugin library quillory_webview, loaded when the
// first page is shown, so the window starts without Qt WebEngine. A link clicked in the view is not
// followed; a web address is handed to the desktop's browser through the shell. When the plugin (or Qt
// WebEngine) is missing, the tab shows the page source, read-only, under a one-line notice.
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

// The notice above the page source when the browser view cannot be loaded.
inline constexpr const char* kNoPageViewNotice = "The page view is not installed; showing the page source.";

// The folders searched for the plugin, in order: the one named by QUILLORY_PLUGIN_DIR alone when that is
// set, else the program's own folder (the build tree), then the installed plugin folder relative to it.
QStringList BrowserPluginFolders();

}  // namespace quillory
