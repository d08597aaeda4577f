#pragma once

#include <QUrl>
#include <QtPlugin>
#include <functional>

class QWidget;

namespace quillory {

// A page view made by the browser plugin: it shows one local page, runs no script and loads nothing
// besides that page.
class PluginPageView {
 public:
  virtual ~PluginPageView() = default;
  // The view's widget, owned by the parent it was made in.
  virtual QWidget* widget() = 0;
  // Shows the page at address (a local file, or about:blank); nothing else is let through.
  virtual void Load(const QUrl& address) = 0;
};

// The interface of the plugin library (quillory_webview), which holds everything that needs Qt WebEngine,
// so that the program starts without it.
class BrowserPlugin {
 public:
  virtual ~BrowserPlugin() = default;
  // A new page view inside parent. A link clicked in it is not followed: its address goes to link_clicked.
  virtual PluginPageView* CreateView(QWidget* parent, std::function<void(const QUrl&)> link_clicked) = 0;
};

}  // namespace quillory

#define QUILLORY_BROWSER_PLUGIN_IID "org.quillory.BrowserPlugin/1"
Q_DECLARE_INTERFACE(quillory::BrowserPlugin, QUILLORY_BROWSER_PLUGIN_IID)
