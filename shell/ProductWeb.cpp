#include "shell/ProductWeb.h"

#include <QCoreApplication>
#include <QUrl>

namespace {
const QString kProductStartPage = QStringLiteral("/web/index.html");
}

QString productWebAddress() {
    return QUrl::fromLocalFile(QCoreApplication::applicationDirPath() + kProductStartPage)
        .toString();
}
