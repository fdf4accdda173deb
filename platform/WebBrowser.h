#pragma once
// A web view with the operations the browser window uses: open an address,
// history, home and search pages, reload, stop, a busy flag, the title of
// the page shown, and DownloadComplete when a page has finished loading.
// The engine is loaded with the first view; without it the view stays empty.
#include <QUrl>
#include <QWidget>
#include <memory>

#include "platform/WebEngine.h"

namespace platform {

class WebBrowser : public QWidget {
    Q_OBJECT
public:
    explicit WebBrowser(QWidget* parent = nullptr);
    ~WebBrowser() override;

    void Navigate(const QString& address);
    void GoBack();
    void GoForward();
    void GoHome();
    void GoSearch();
    void Refresh();
    void Stop();

    bool Busy() const { return busy_; }
    QString LocationName() const;  // the page title, empty with no page
    QUrl LocationURL() const;

    // The home and search pages of every browser of the program.
    static void setHomePage(const QUrl& address);
    static void setSearchPage(const QUrl& address);

signals:
    void DownloadComplete();

private:
    void load(const QUrl& url);
    void onLoadStarted();
    void onLoadFinished();

    std::unique_ptr<WebEnginePage> page_;  // null without an engine
    bool busy_ = false;
};

}  // namespace platform
