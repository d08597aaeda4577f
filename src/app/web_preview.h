#pragma once

#include <QUrl>
#include <QWidget>

#include "ports/shell.h"
#include "ports/views.h"

class QWebEngineView;
class QWebEngineProfile;

namespace quillory {

class PreviewInterceptor;

// The browser view of the HTML preview. The web engine is created the first time a page is shown, so
// start-up stays fast. The preview runs no script and loads nothing but the page itself: no remote
// address, no other local file. A link clicked in it is not followed in the view; a web address is handed
// to the desktop's browser through the shell.
class WebPreview : public QWidget, public BrowserView {
  Q_OBJECT

 public:
  WebPreview(Shell& shell, QWidget* parent = nullptr);
  ~WebPreview() override;

  void ShowPage(const std::string& path) override;
  void ShowBlank() override;

  // The engine's view once created, else nullptr (for tests).
  QWebEngineView* view() const { return view_; }

 private:
  void EnsureView();
  void Navigate(const QUrl& address);

  Shell& shell_;
  QWebEngineProfile* profile_ = nullptr;
  PreviewInterceptor* interceptor_ = nullptr;
  QWebEngineView* view_ = nullptr;
};

}  // namespace quillory
