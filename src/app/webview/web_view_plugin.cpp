#include "app/webview/web_view_plugin.h"

#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>
#include <utility>

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

// A page whose clicked links leave the view: their addresses go to the window, which decides.
class PreviewPage : public QWebEnginePage {
 public:
  PreviewPage(QWebEngineProfile* profile, std::function<void(const QUrl&)> link_clicked, QObject* parent)
      : QWebEnginePage(profile, parent), link_clicked_(std::move(link_clicked)) {}

 protected:
  bool acceptNavigationRequest(const QUrl& address, NavigationType type, bool main_frame) override {
    if (type == NavigationTypeLinkClicked) {
      if (link_clicked_) link_clicked_(address);
      return false;
    }
    return QWebEnginePage::acceptNavigationRequest(address, type, main_frame);
  }
  QWebEnginePage* createWindow(WebWindowType) override { return nullptr; }

 private:
  std::function<void(const QUrl&)> link_clicked_;
};

}  // namespace

WebPageView::WebPageView(QWidget* parent, std::function<void(const QUrl&)> link_clicked) : QWidget(parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
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
  view_->setPage(new PreviewPage(profile_, std::move(link_clicked), view_));
  view_->setContextMenuPolicy(Qt::NoContextMenu);
  layout->addWidget(view_);
}

WebPageView::~WebPageView() {
  // The page must go before its profile.
  delete view_;
  view_ = nullptr;
}

void WebPageView::Load(const QUrl& address) {
  interceptor_->Allow(address);
  view_->setUrl(address);
}

PluginPageView* WebViewPlugin::CreateView(QWidget* parent, std::function<void(const QUrl&)> link_clicked) {
  return new WebPageView(parent, std::move(link_clicked));
}

}  // namespace quillory
