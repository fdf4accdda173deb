#include "shell/StatusPanels.h"

#include <QLocale>

#include "platform/MessageBox.h"
#include "platform/Twips.h"
#include "platform/core/Clock.h"

StatusPanels::StatusPanels(QWidget* parent) : QStatusBar(parent) {
    setSizeGripEnabled(false);
    Panel1 = addPanel(11404, true);
    Panel1->setText(platform::kAppTitle);
    Panel1->setToolTip(platform::kAppTitle);
    Panel2 = addPanel(2540, false);
    Panel3 = addPanel(2540, false);
    showNow();
    clock_.setInterval(1000);
    connect(&clock_, &QTimer::timeout, this, &StatusPanels::showNow);
    clock_.start();
}

QLabel* StatusPanels::addPanel(int widthTwips, bool stretch) {
    auto* panel = new QLabel(this);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    if (stretch) {
        // The text panel takes the room that is left, but never less than
        // the width of a date panel.
        panel->setMinimumWidth(platform::twipsToPixels(2540));
        panel->resize(platform::twipsToPixels(widthTwips), panel->height());
        addWidget(panel, 1);
    } else {
        panel->setFixedWidth(platform::twipsToPixels(widthTwips));
        panel->setAlignment(Qt::AlignCenter);
        addPermanentWidget(panel);
    }
    return panel;
}

void StatusPanels::showNow() {
    const QDateTime now = platform::now();
    const QLocale locale = QLocale::system();
    Panel2->setText(locale.toString(now.date(), QLocale::ShortFormat));
    Panel3->setText(locale.toString(now.time(), QLocale::ShortFormat));
}
