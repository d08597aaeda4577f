#include "app/web_preview.h"

#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>

#include "app/text_bridge.h"
#include "fields/field_commands.h"

namespace quillory {

// Lets through only the page being previewed.
class PreviewInterceptor : public QWebEngineUrlRequestInterceptor {
 public:
  using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
  void Allow(const QUrl& address) { allowed_ = address; }
  void interceptRequest(QWebEngineUrlRequestInfo& info) override {
    const QUrl address = info.requestUrl();
    if (address != allowed_ && address.toString() != QLatin1String("about:blank")) info.block(true);
  }

 private:
  QUrl allowed_;
};

namespace {

// A page whose clicked links leave the view: web addresses go to the desktop, everything else nowhere.
class PreviewPage : public QWebEnginePage {
 public:
  PreviewPage(QWebEngineProfile* profile, Shell& shell, QObject* parent)
      : QWebEnginePage(profile, parent), shell_(shell) {}

 protected:
  bool acceptNavigationRequest(const QUrl& address, NavigationType type, bool main_frame) override {
    if (type == NavigationTypeLinkClicked) {
      const std::string web = WebAddressToOpen(ToUtf8(address.toString()));
      if (!web.empty()) shell_.OpenUrl(web);
      return false;
    }
    return QWebEnginePage::acceptNavigationRequest(address, type, main_frame);
  }
  QWebEnginePage* createWindow(WebWindowType) override { return nullptr; }

 private:
  Shell& shell_;
};

}  // namespace

WebPreview::WebPreview(Shell& shell, QWidget* parent) : QWidget(parent), shell_(shell) {
  setObjectName(QStringLiteral("WebBrowser1"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
}

WebPreview::~WebPreview() {
  // The page must go before its profile.
  delete view_;
  view_ = nullptr;
}

void WebPreview::EnsureView() {
  if (view_ != nullptr) return;
  profile_ = new QWebEngineProfile(this);  // off the record: nothing kept on disk
  interceptor_ = new PreviewInterceptor(profile_);
  profile_->setUrlRequestInterceptor(interceptor_);
  QWebEngineSettings* settings = profile_->settings();
  settings->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
  settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
  settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
  settings->setAttribute(QWebEngineSettings::AutoLoadImages, false);
  settings->setAttribute(QWebEngineSettings::PluginsEnabled, false);
  view_ = new QWebEngineView(this);
  view_->setObjectName(QStringLiteral("WebBrowser1View"));
  view_->setPage(new PreviewPage(profile_, shell_, view_));
  view_->setContextMenuPolicy(Qt::NoContextMenu);
  layout()->addWidget(view_);
}

void WebPreview::Navigate(const QUrl& address) {
  EnsureView();
  interceptor_->Allow(address);
  view_->setUrl(address);
}

void WebPreview::ShowPage(const std::string& path) { Navigate(QUrl::fromLocalFile(FromNativePath(path))); }

void WebPreview::ShowBlank() { Navigate(QUrl(QStringLiteral("about:blank"))); }

}  // namespace quillory
