#include "platform/WebBrowser.h"

#include <QVBoxLayout>
#include <QWebEngineHistory>
#include <QWebEngineView>

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

WebBrowser::WebBrowser(QWidget* parent) : QWidget(parent), view_(new QWebEngineView(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    connect(view_, &QWebEngineView::loadStarted, this, &WebBrowser::onLoadStarted);
    connect(view_, &QWebEngineView::loadFinished, this, &WebBrowser::onLoadFinished);
}

void WebBrowser::Navigate(const QString& address) {
    load(QUrl::fromUserInput(address));
}

void WebBrowser::GoBack() {
    if (!view_->history()->canGoBack())
        return;  // on the first page there is nowhere to go
    busy_ = true;
    view_->back();
}

void WebBrowser::GoForward() {
    if (!view_->history()->canGoForward())
        return;
    busy_ = true;
    view_->forward();
}

void WebBrowser::GoHome() {
    load(homePage());
}

void WebBrowser::GoSearch() {
    load(searchPage());
}

void WebBrowser::Refresh() {
    if (view_->url().isEmpty())
        return;
    busy_ = true;
    view_->reload();
}

void WebBrowser::Stop() {
    view_->stop();
    busy_ = false;
}

QString WebBrowser::LocationName() const {
    if (view_->url().isEmpty())
        return QString();
    return view_->title();
}

QUrl WebBrowser::LocationURL() const {
    return view_->url();
}

void WebBrowser::setHomePage(const QUrl& address) {
    homePage() = address;
}

void WebBrowser::setSearchPage(const QUrl& address) {
    searchPage() = address;
}

void WebBrowser::load(const QUrl& url) {
    if (!url.isValid() || url.isEmpty())
        return;
    // Busy from the request on: the view reports the start of loading only
    // later, and a poll in between must not take the old page as the result.
    busy_ = true;
    view_->load(url);
}

void WebBrowser::onLoadStarted() {
    busy_ = true;
}

void WebBrowser::onLoadFinished() {
    busy_ = false;
    emit DownloadComplete();
}

}  // namespace platform
