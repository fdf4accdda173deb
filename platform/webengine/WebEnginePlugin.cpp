#include "platform/webengine/WebEnginePlugin.h"

#include <QPointer>
#include <QWebEngineHistory>
#include <QWebEngineView>

namespace {

class EnginePage : public platform::WebEnginePage {
public:
    EnginePage(QWidget* parent, const platform::WebEngineEvents& events)
        : view_(new QWebEngineView(parent)) {
        QObject::connect(view_, &QWebEngineView::loadStarted, view_,
                         [f = events.loadStarted] { f(); });
        QObject::connect(view_, &QWebEngineView::loadFinished, view_,
                         [f = events.loadFinished](bool) { f(); });
    }
    // The view goes with the page, so no event reaches a caller that has
    // already dropped the page.
    ~EnginePage() override { delete view_.data(); }

    QWidget* widget() override { return view_; }
    void load(const QUrl& url) override { view_->load(url); }
    bool canGoBack() const override { return view_->history()->canGoBack(); }
    bool canGoForward() const override { return view_->history()->canGoForward(); }
    void back() override { view_->back(); }
    void forward() override { view_->forward(); }
    void reload() override { view_->reload(); }
    void stop() override { view_->stop(); }
    QUrl url() const override { return view_->url(); }
    QString title() const override { return view_->title(); }

private:
    QPointer<QWebEngineView> view_;
};

}  // namespace

platform::WebEnginePage* WebEnginePlugin::createPage(QWidget* parent,
                                                     const platform::WebEngineEvents& events) {
    return new EnginePage(parent, events);
}
