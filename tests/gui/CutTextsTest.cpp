// A text wider than its box ends in a visible "…", on screen and on a
// printout (both paint the window), and its tip gives the whole text.
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QHelpEvent>
#include <QScreen>
#include <QToolTip>

#include "platform/TextInk.h"
#include "reports/frmR04.h"
#include "tests/support/ReadingRows.h"
#include "tests/support/ReportWindowTest.h"

namespace {

QImage painted(QWidget* box) {
    return box->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QLabel* labelShowing(const QString& text, QWidget* page) {
    for (QLabel* label : page->findChildren<QLabel*>())
        if (label->text() == text)
            return label;
    return nullptr;
}

// A cut text is painted as its box paints the shortened text that fits,
// which Qt paints alone, and its tip is the whole text in lines that stay on
// the screen; a text that fits keeps Qt's painting and tip.
template <typename Box>
void expectShown(Box* box, const QString& whole, bool cut) {
    SCOPED_TRACE(whole.left(24).toStdString());
    ASSERT_NE(box, nullptr);
    const QString shown = platform::textShown(box);
    EXPECT_EQ(shown.endsWith(QChar(0x2026)), cut) << shown.toStdString();
    EXPECT_TRUE(whole.startsWith(cut ? shown.chopped(1) : shown)) << shown.toStdString();
    EXPECT_LE(QFontMetricsF(box->font()).horizontalAdvance(shown), platform::textRoom(box).width());
    const QImage wholePainted = painted(box);
    box->setText(shown);
    EXPECT_EQ(wholePainted, painted(box));
    box->setText(whole);
    QToolTip::hideText();
    QHelpEvent askTip(QEvent::ToolTip, QPoint(2, 2), box->mapToGlobal(QPoint(2, 2)));
    QCoreApplication::sendEvent(box, &askTip);
    EXPECT_EQ(askTip.isAccepted(), cut);
    if (cut) {
        EXPECT_EQ(QToolTip::text().remove('\n'), whole);
    }
    for (const QString& line : QToolTip::text().split('\n'))  // on the screen
        EXPECT_LE(QFontMetrics(QToolTip::font()).horizontalAdvance(line), box->screen()->size().width());
}

}  // namespace

class CutTextsTest : public ReportWindowTest {};

TEST_F(CutTextsTest, ALongIdOrMmolValueEndsInTheMarkAndTipsTheWholeText) {
    const QString longId = QStringLiteral("Wilhelmina-").repeated(19).left(200);
    fillReadings(Module1::state().readings, {{2007, 12, 31, 23, 59, -32767}});
    main_->window()->show();
    for (const QString& id : {longId, QStringLiteral("anna")})
        for (auto open : {&frmMain::mnuReport5_Click, &frmMain::mnuReport6_Click,
                          &frmMain::mnuReport2_Click, &frmMain::mnuReport4_Click}) {
            Module1::state().UserName = id;
            (main_.get()->*open)();
            expectShown(labelShowing(id, main_->activeChildPage()), id, id == longId);
        }
    Module1::state().GluUnit = 2;
    main_->mnuReport5_Click();
    expectShown(labelShowing("-1820.4", main_->activeChildPage()), "-1820.4", true);
    expectShown(labelShowing("mmol/L", main_->activeChildPage()), "mmol/L", false);
    main_->mnuReport2_Click();
    QLineEdit* unitBox = frmR04::instance().Text7;
    expectShown(unitBox, "mmol/L", false);
    unitBox->setText("Glucose in millimoles per litre");
    expectShown(unitBox, "Glucose in millimoles per litre", true);
    messages();
}
