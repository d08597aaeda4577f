#pragma once

#include <QObject>
#include <QWidget>
#include <functional>

#include "app/browser_plugin.h"

class QWebEngineProfile;
class QWebEngineView;

namespace quillory {

class PreviewInterceptor;

// The Qt WebEngine view of the HTML preview: JavaScript, plugins and images off, an off-the-record
// profile, a request interceptor that lets only the page itself through, no context menu, no new windows.
class WebPageView : public QWidget, public PluginPageView {
  Q_OBJECT

 public:
  WebPageView(QWidget* parent, std::function<void(const QUrl&)> link_clicked);
  ~WebPageView() override;

  QWidget* widget() override { return this; }
  void Load(const QUrl& address) override;

 private:
  QWebEngineProfile* profile_ = nullptr;
  PreviewInterceptor* interceptor_ = nullptr;
  QWebEngineView* view_ = nullptr;
};

// The plugin's entry point.
class WebViewPlugin : public QObject, public BrowserPlugin {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID QUILLORY_BROWSER_PLUGIN_IID)
  Q_INTERFACES(quillory::BrowserPlugin)

 public:
  PluginPageView* CreateView(QWidget* parent, std::function<void(const QUrl&)> link_clicked) override;
};

}  // namespace quillory
