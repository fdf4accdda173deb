#pragma once
// The web engine plugin: page views over QWebEngineView.
#include <QObject>

#include "platform/WebEngine.h"

class WebEnginePlugin : public QObject, public platform::WebEngineFactory {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID AMBREL_WEB_ENGINE_IID)
    Q_INTERFACES(platform::WebEngineFactory)
public:
    platform::WebEnginePage* createPage(QWidget* parent,
                                        const platform::WebEngineEvents& events) override;
};
