#pragma once
// The life of a window: one object per window class for the whole run; each
// load builds the controls afresh and runs Form_Load, each unload destroys
// the controls and keeps the object's own members.
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>

namespace platform {

class Form : public QObject {
    Q_OBJECT
public:
    ~Form() override;

    bool isLoaded() const { return !window_.isNull(); }
    QWidget* window() const { return window_; }

    void Load();    // builds the controls and runs Form_Load; nothing when loaded
    void Show();    // loads when needed, then puts the window on screen
    void Unload();  // stops the window's timers and destroys its controls

    // Child pages live in the main window; the others are top-level windows.
    virtual bool isChildPage() const { return false; }

protected:
    virtual QWidget* CreateControls() = 0;  // the design: a new widget tree
    virtual void Form_Load() {}
    virtual void Form_Unload() {}  // before the controls go (close ports...)
    // The window system's close command; by default it unloads the window.
    virtual void TitleBarClose() { Unload(); }

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> window_;
    bool unloading_ = false;
};

// The one object of a window class, made on first use and kept for the run.
// Window classes with a private constructor name this function a friend.
template <typename T>
T& singleForm() {
    static T* form = new T;
    return *form;
}

// The main window registers itself as the host of child pages.
class ChildPageHost {
public:
    virtual ~ChildPageHost() = default;
    virtual void showChildPage(QWidget* page) = 0;
    virtual void removeChildPage(QWidget* page) = 0;
};
void setChildPageHost(ChildPageHost* host);
ChildPageHost* childPageHost();

}  // namespace platform
