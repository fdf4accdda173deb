#include <QCoreApplication>
#include <QOpenGLContext>
#include <QPluginLoader>
#include <QtDebug>

#include "platform/WebEngine.h"

// Qt's hooks for the context that every OpenGL context of the application
// shares with; exported by Qt Gui without a public header.
Q_GUI_EXPORT QOpenGLContext* qt_gl_global_share_context();
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* context);

namespace platform {

namespace {

QString pluginPath() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/plugins/ambrel_webengine.so");
}

// The engine draws with contexts shared with the application's and wants the
// shared context before it loads. Linked into the program it made one while
// the application started, at a cost to every start; now the first web view
// pays it. Where there is no OpenGL the context fails and the engine draws
// without it, as it did before.
void prepareSharedContext() {
    if (qt_gl_global_share_context())
        return;
    static QOpenGLContext* context = new QOpenGLContext;
    context->create();
    qt_gl_set_global_share_context(context);
    qAddPostRoutine([] {
        qt_gl_set_global_share_context(nullptr);
        delete context;
    });
}

// The library stays loaded for the rest of the run: pages of it may still be
// on screen, and loading it again would cost the start-up once more.
WebEngineFactory* loadPlugin() {
    prepareSharedContext();
    QPluginLoader loader(pluginPath());
    auto* factory = qobject_cast<WebEngineFactory*>(loader.instance());
    if (!factory)
        qWarning("No web engine: %s", qPrintable(loader.errorString()));
    return factory;
}

}  // namespace

WebEngineFactory* webEngine() {
    static WebEngineFactory* const factory = loadPlugin();
    return factory;
}

}  // namespace platform
