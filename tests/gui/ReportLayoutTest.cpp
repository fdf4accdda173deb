// What the report windows put on screen, in both units and date orders, with
// 10,000 readings and with none: every text whole in its box, no control over
// another's text or over the plot, no two texts touching; a text too long for
// its box ends in a visible "…" and its tip gives the whole text.
#include <QHelpEvent>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>
#include <QToolTip>
#include <functional>

#include "linegraph/frmR02.h"
#include "pclinegraph/frmR02p.h"
#include "platform/TextInk.h"
#include "reports/frmR04.h"
#include "reports/frmR05.h"
#include "tests/support/ReadingRows.h"
#include "tests/support/ReportWindowTest.h"
#include "tests/support/ShownTexts.h"

namespace {

// Five hours apart, the newest on 2007/12/31 23:59 with 400 mg/dL (22.2
// mmol/L): the longest tip, count and dates there are.
std::vector<ReadingRow> tenThousandReadings() {
    std::vector<ReadingRow> rows;
    QDateTime t(QDate(2007, 12, 31), QTime(23, 59));
    for (int i = 0; i < kMaxReadings; ++i, t = t.addSecs(-5 * 3600 - 7 * 60))
        rows.push_back({t.date().year(), t.date().month(), t.date().day(), t.time().hour(),
                        t.time().minute(), i == 0 ? 400 : 40 + i * 37 % 360, i % 2 ? "C" : "PC"});
    std::reverse(rows.begin(), rows.end());
    return rows;
}

std::string nameOf(const QWidget* w, const QString& text = {}) {
    return QStringLiteral("%1 \"%2\" at %3,%4")
        .arg(w->metaObject()->className(), text)
        .arg(w->x())
        .arg(w->y())
        .toStdString();
}

// `floating`: controls meant to lie over others (the reading tip and its
// marker; the coloured hour marks over the hour row).
void expectReadable(QWidget* page, const QList<QWidget*>& floating) {
    const QList<ShownText> texts = shownTexts(page);
    const QList<QWidget*> controls = page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    auto coverers = [&](QWidget* under) {
        QList<QWidget*> over;
        for (QWidget* c : controls)
            if (c != under && c->isVisibleTo(page) && !floating.contains(c) && paintedAbove(c, under))
                over << c;
        return over;
    };
    for (const ShownText& t : texts) {
        EXPECT_TRUE(t.fits()) << nameOf(t.widget, t.text) << " is cut";
        for (QWidget* c : coverers(t.widget))
            EXPECT_FALSE(coverOf(c).intersects(t.ink)) << nameOf(t.widget, t.text) << " under " << nameOf(c);
        for (const ShownText& u : texts) {
            const bool compared = &u < &t && !floating.contains(t.widget) && !floating.contains(u.widget);
            EXPECT_FALSE(compared && t.ink.adjusted(-1, 0, 1, 0).intersects(u.ink.adjusted(-1, 0, 1, 0)))
                << nameOf(t.widget, t.text) << " touches " << nameOf(u.widget, u.text);
        }
    }
    for (auto* chart : page->findChildren<platform::ChartControl*>())
        for (QWidget* c : coverers(chart))
            EXPECT_FALSE(coverOf(c).intersects(chart->seriesAreaPixels().translated(chart->pos())))
                << nameOf(c) << " lies over the plot";
}

QStringList rangeLabels(QWidget* page) {
    QStringList labels;
    for (const ShownText& t : shownTexts(page))
        if (qobject_cast<platform::ChartControl*>(t.widget) && t.text.contains(QRegularExpression("^[<>]|-")))
            labels << QString(t.text).remove('\n');
    return labels;
}

QImage painted(QWidget* box) {
    return box->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QLabel* labelShowing(const QString& text, QWidget* page) {
    for (QLabel* label : page->findChildren<QLabel*>())
        if (label->text() == text)
            return label;
    return nullptr;
}

// A cut text is painted as the box paints the shortened text, which fits and
// so is painted by Qt alone; its tip, in lines that stay on the screen, is
// the whole text. A text that fits keeps Qt's painting and has no tip.
template <typename Box>
void expectShown(Box* box, const QString& whole, bool cut) {
    ASSERT_NE(box, nullptr) << whole.toStdString();
    const QString shown = platform::textShown(box);
    EXPECT_EQ(shown.endsWith(QChar(0x2026)), cut) << shown.toStdString();
    EXPECT_TRUE(whole.startsWith(cut ? shown.chopped(1) : shown)) << shown.toStdString();
    EXPECT_LE(QFontMetricsF(box->font()).horizontalAdvance(shown), platform::textRoom(box).width());
    const QImage wholePainted = painted(box);
    box->setText(shown);
    EXPECT_EQ(wholePainted, painted(box)) << shown.toStdString();
    box->setText(whole);
    QHelpEvent askTip(QEvent::ToolTip, QPoint(), box->mapToGlobal(QPoint()));
    QCoreApplication::sendEvent(box, &askTip);
    EXPECT_EQ(askTip.isAccepted(), cut) << shown.toStdString();
    if (cut) {
        EXPECT_EQ(QToolTip::text().remove('\n'), whole);
        for (const QString& line : QToolTip::text().split('\n'))
            EXPECT_LE(QFontMetrics(QToolTip::font()).horizontalAdvance(line), box->screen()->size().width());
    }
}

}  // namespace

class ReportLayoutTest : public ReportWindowTest {};

TEST_F(ReportLayoutTest, EveryReportShowsItsTextsWholeAndUncovered) {
    const std::vector<ReadingRow> many = tenThousandReadings(), none = {{0, 0, 0, 0, 0, 0, 0}};
    using Graph = std::function<frmLineGraphBase&(int unit)>;
    const struct {
        const char* name;
        void (frmMain::*open)();
        Graph graph;  // a line graph's window, or none
    } windows[] = {
        {"line graph", &frmMain::mnuReport5_Click,
         [](int u) -> frmLineGraphBase& { return u == 1 ? frmR02::instance() : frmR02unit::instance(); }},
        {"PC line graph", &frmMain::mnuReport6_Click,
         [](int u) -> frmLineGraphBase& { return u == 1 ? frmR02p::instance() : frmR02unitp::instance(); }},
        {"standard day", &frmMain::mnuReport2_Click, {}},
        {"histogram", &frmMain::mnuReport4_Click, {}},
    };
    const QString mgRanges = "<61 61-90 91-120 121-150 151-180 181-210 211-240 241-270 271-300 301-330 331-360 >=361";
    const QString mmolRanges = "<3.4 3.4-5.0 5.1-6.7 6.8-8.3 8.4-10.0 10.1-11.6 11.7-13.3 13.4-15.0 "
                               "15.1-16.6 16.7-18.3 18.4-20.0 >=20.1";
    main_->window()->resize(960, 680);
    main_->window()->show();
    for (const auto& window : windows)
        for (const auto* readings : {&many, &none})
            for (int unit : {1, 2})
                for (int order : {1, 2}) {
                    SCOPED_TRACE(std::string(window.name) + (readings == &none ? ", no readings" : "") +
                                 ", unit " + std::to_string(unit) + ", order " + std::to_string(order));
                    fillReadings(Module1::state().readings, *readings);
                    Module1::state().GluUnit = qint16(unit);
                    Module1::state().TimeFormat = qint16(order);
                    (main_.get()->*window.open)();
                    QWidget* page = main_->activeChildPage();
                    ASSERT_NE(page, nullptr);
                    frmR04& day = frmR04::instance();
                    QList<QWidget*> floating = {day.Text4, day.Text5, day.Text6};
                    if (window.graph) {
                        frmLineGraphBase& w = window.graph(unit);
                        floating = {w.Text4, w.Text3};
                        // The pointer over the newest reading: the longest tip.
                        const QPoint newest(int(w.MSChart1->columnCentrePixels(w.RowsShown)), 150);
                        QTest::mouseMove(w.MSChart1, newest - QPoint(0, 20));
                        QTest::mouseMove(w.MSChart1, newest);
                        const QString tip = QString(order == 1 ? "2007/12/31" : "31/12/2007") + " 23:59  " +
                                            (unit == 1 ? "400mg/dL" : "22.2mmol/L");
                        EXPECT_EQ(w.Text4->text(), readings == &many ? tip : "None Data");
                        for (const char* date : {"1601/1/1", "9999/12/31", "2007/10/27"}) {
                            w.DTPicker1->setDateText(date);
                            expectReadable(page, floating);
                        }
                    } else if (page == day.window() && readings == &many) {
                        day.Combo4->setCurrentIndex(day.Combo4->count() - 1);  // 2007/12/31
                        day.Combo4_Click();
                    }
                    expectReadable(page, floating);
                    if (page == frmR05::instance().window()) {
                        EXPECT_EQ(rangeLabels(page).join(' '), unit == 1 ? mgRanges : mmolRanges);
                        for (const ShownText& t : shownTexts(page))
                            EXPECT_FALSE(unit == 2 && t.text.contains("mg/dL")) << nameOf(t.widget, t.text);
                    }
                    messages();
                }
}

TEST_F(ReportLayoutTest, ALongIdOrMmolValueEndsInTheMarkAndTipsTheWholeText) {
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
