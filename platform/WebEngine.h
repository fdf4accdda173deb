#pragma once
// What the web view needs of a web engine. The engine is large and few users
// open a web page, so it lives in a plugin that the program loads only when
// the first web view is made; the program itself does not link it.
#include <QString>
#include <QUrl>
#include <QtPlugin>
#include <functional>

class QWidget;

namespace platform {

// One page view of the engine. Deleting it deletes its widget.
class WebEnginePage {
public:
    virtual ~WebEnginePage() = default;
    virtual QWidget* widget() = 0;
    virtual void load(const QUrl& url) = 0;
    virtual bool canGoBack() const = 0;
    virtual bool canGoForward() const = 0;
    virtual void back() = 0;
    virtual void forward() = 0;
    virtual void reload() = 0;
    virtual void stop() = 0;
    virtual QUrl url() const = 0;
    virtual QString title() const = 0;
};

// Called while the page's widget lives.
struct WebEngineEvents {
    std::function<void()> loadStarted;
    std::function<void()> loadFinished;
};

class WebEngineFactory {
public:
    virtual ~WebEngineFactory() = default;
    virtual WebEnginePage* createPage(QWidget* parent, const WebEngineEvents& events) = 0;
};

// The engine of the plugin beside the program (plugins/ in the program's
// folder), loaded on the first call; null, with a warning logged, when it
// cannot be loaded.
WebEngineFactory* webEngine();

}  // namespace platform

#define AMBREL_WEB_ENGINE_IID "ambrel.platform.WebEngineFactory/1"
Q_DECLARE_INTERFACE(platform::WebEngineFactory, AMBREL_WEB_ENGINE_IID)
