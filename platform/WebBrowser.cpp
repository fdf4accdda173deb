#include "platform/WebBrowser.h"

#include <QVBoxLayout>

namespace platform {

namespace {
QUrl& homePage() {
    static QUrl url;
    return url;
}
QUrl& searchPage() {
    static QUrl url;
    return url;
}
}  // namespace

WebBrowser::WebBrowser(QWidget* parent) : QWidget(parent) {
    WebEngineFactory* engine = webEngine();
    if (!engine)
        return;
    WebEngineEvents events;
    events.loadStarted = [this] { onLoadStarted(); };
    events.loadFinished = [this] { onLoadFinished(); };
    page_.reset(engine->createPage(this, events));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(page_->widget());
}

// The page, and with it the engine's widget, goes before this widget is
// half destroyed, so no late load event reaches it.
WebBrowser::~WebBrowser() = default;

void WebBrowser::Navigate(const QString& address) {
    load(QUrl::fromUserInput(address));
}

void WebBrowser::GoBack() {
    if (!page_ || !page_->canGoBack())
        return;  // on the first page there is nowhere to go
    busy_ = true;
    page_->back();
}

void WebBrowser::GoForward() {
    if (!page_ || !page_->canGoForward())
        return;
    busy_ = true;
    page_->forward();
}

void WebBrowser::GoHome() {
    load(homePage());
}

void WebBrowser::GoSearch() {
    load(searchPage());
}

void WebBrowser::Refresh() {
    if (LocationURL().isEmpty())
        return;
    busy_ = true;
    page_->reload();
}

void WebBrowser::Stop() {
    if (page_)
        page_->stop();
    busy_ = false;
}

QString WebBrowser::LocationName() const {
    if (LocationURL().isEmpty())
        return QString();
    return page_->title();
}

QUrl WebBrowser::LocationURL() const {
    return page_ ? page_->url() : QUrl();
}

void WebBrowser::setHomePage(const QUrl& address) {
    homePage() = address;
}

void WebBrowser::setSearchPage(const QUrl& address) {
    searchPage() = address;
}

void WebBrowser::load(const QUrl& url) {
    if (!page_ || !url.isValid() || url.isEmpty())
        return;
    // Busy from the request on: the view reports the start of loading only
    // later, and a poll in between must not take the old page as the result.
    busy_ = true;
    page_->load(url);
}

void WebBrowser::onLoadStarted() {
    busy_ = true;
}

void WebBrowser::onLoadFinished() {
    busy_ = false;
    emit DownloadComplete();
}

}  // namespace platform
