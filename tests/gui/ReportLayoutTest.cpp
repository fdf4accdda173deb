// What the report windows put on screen: every text whole in its box, no
// control over another's text, over the plot or over the chart's labels,
// and every reading drawn whole, in both units and both date orders.
#include <QRegularExpression>
#include <QTest>
#include <functional>

#include "linegraph/frmR02.h"
#include "pclinegraph/frmR02p.h"
#include "reports/frmR04.h"
#include "reports/frmR05.h"
#include "tests/support/ReadingRows.h"
#include "tests/support/ReportWindowTest.h"
#include "tests/support/ShownTexts.h"

namespace {

// 10,000 readings five hours apart, the newest on 2007/12/31 at 23:59 with
// 400 mg/dL (22.2 mmol/L): the longest tip, count and dates there are.
std::vector<ReadingRow> tenThousandReadings() {
    std::vector<ReadingRow> rows;
    QDateTime t(QDate(2007, 12, 31), QTime(23, 59));
    for (int i = 0; i < kMaxReadings; ++i) {
        const int glucose = i == 0 ? 400 : 40 + (i * 37) % 360;
        rows.push_back({t.date().year(), t.date().month(), t.date().day(), t.time().hour(),
                        t.time().minute(), glucose, i % 2 ? QStringLiteral("C") : QStringLiteral("PC")});
        t = t.addSecs(-5 * 3600 - 7 * 60);
    }
    std::reverse(rows.begin(), rows.end());
    return rows;
}

const QStringList kMgDlRanges = {"<61",     "61-90",   "91-120",  "121-150", "151-180", "181-210",
                                 "211-240", "241-270", "271-300", "301-330", "331-360", ">=361"};
const QStringList kMmolRanges = {"<3.4",      "3.4-5.0",   "5.1-6.7",   "6.8-8.3",
                                 "8.4-10.0",  "10.1-11.6", "11.7-13.3", "13.4-15.0",
                                 "15.1-16.6", "16.7-18.3", "18.4-20.0", ">=20.1"};

std::string nameOf(const ShownText& t) {
    return (t.widget->metaObject()->className() + QStringLiteral(" \"") + t.text + "\"").toStdString();
}

std::string nameOf(const QWidget* w) {
    const QRect g = w->geometry();
    return QStringLiteral("%1 at %2,%3 %4x%5")
        .arg(w->metaObject()->className())
        .arg(g.x())
        .arg(g.y())
        .arg(g.width())
        .arg(g.height())
        .toStdString();
}

}  // namespace

class ReportLayoutTest : public ReportWindowTest {
protected:
    QWidget* open(const std::function<void(frmMain&)>& command) {
        main_->window()->resize(960, 680);
        main_->window()->show();
        command(*main_);
        pump(10);
        return main_->activeChildPage();
    }

    // `floating`: controls meant to lie over others (the reading tip and its
    // marker, the coloured hour marks over the hour row).
    static void expectReadable(QWidget* page, const QList<QWidget*>& floating) {
        const QList<ShownText> texts = shownTexts(page);
        const QList<QWidget*> controls = page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        for (const ShownText& t : texts) {
            EXPECT_TRUE(t.fits()) << nameOf(t) << " is cut: " << t.ink.width() << "x" << t.ink.height()
                                  << " in " << t.room.width() << "x" << t.room.height();
            for (QWidget* c : controls)
                if (c != t.widget && c->isVisibleTo(page) && !floating.contains(c) &&
                    paintedAbove(c, t.widget) && coverOf(c).intersects(t.ink))
                    ADD_FAILURE() << nameOf(t) << " is covered by "
                                  << nameOf(c);
        }
        for (int i = 0; i < texts.size(); ++i)
            for (int j = i + 1; j < texts.size(); ++j)
                if (!floating.contains(texts[i].widget) && !floating.contains(texts[j].widget) &&
                    texts[i].ink.adjusted(-1, 0, 1, 0).intersects(texts[j].ink.adjusted(-1, 0, 1, 0)))
                    ADD_FAILURE() << nameOf(texts[i]) << " touches "
                                  << nameOf(texts[j]);
        for (auto* chart : page->findChildren<platform::ChartControl*>()) {
            const QRectF series = chart->seriesAreaPixels().translated(chart->pos());
            for (QWidget* c : controls)
                if (c->isVisibleTo(page) && !floating.contains(c) && paintedAbove(c, chart) &&
                    coverOf(c).intersects(series))
                    ADD_FAILURE() << nameOf(c) << " lies over the plot";
        }
    }
};

TEST_F(ReportLayoutTest, EveryReportShowsItsTextsWholeAndUncovered) {
    const std::vector<ReadingRow> many = tenThousandReadings();
    const std::vector<ReadingRow> none = {{0, 0, 0, 0, 0, 0, 0}};
    struct Window {
        const char* name;
        std::function<void(frmMain&)> open;
        std::function<frmLineGraphBase*(int unit)> graph;  // a line graph's window, or none
    };
    const Window windows[] = {
        {"line graph", [](frmMain& m) { m.mnuReport5_Click(); },
         [](int unit) -> frmLineGraphBase* {
             return unit == 1 ? &frmR02::instance() : &frmR02unit::instance();
         }},
        {"PC line graph", [](frmMain& m) { m.mnuReport6_Click(); },
         [](int unit) -> frmLineGraphBase* {
             return unit == 1 ? &frmR02p::instance() : &frmR02unitp::instance();
         }},
        {"standard day", [](frmMain& m) { m.mnuReport2_Click(); }, {}},
        {"histogram", [](frmMain& m) { m.mnuReport4_Click(); }, {}},
    };
    for (const Window& window : windows)
        for (const auto* readings : {&many, &none})
            for (int unit : {1, 2})
                for (int order : {1, 2}) {
                    SCOPED_TRACE(std::string(window.name) + (readings == &none ? ", no readings" : "") +
                                 ", unit " + std::to_string(unit) + ", order " + std::to_string(order));
                    fillReadings(Module1::state().readings, *readings);
                    Module1::state().GluUnit = qint16(unit);
                    Module1::state().TimeFormat = qint16(order);
                    QWidget* page = open(window.open);
                    ASSERT_NE(page, nullptr);
                    QList<QWidget*> floating;
                    if (window.graph) {
                        frmLineGraphBase* w = window.graph(unit);
                        floating = {w->Text4, w->Text3};
                        // The pointer over the newest reading shows the longest tip.
                        const QPoint newest(int(w->MSChart1->columnCentrePixels(w->RowsShown)), 150);
                        QTest::mouseMove(w->MSChart1, newest - QPoint(0, 20));  // a move, whatever came before
                        QTest::mouseMove(w->MSChart1, newest);
                        if (readings == &many) {
                            EXPECT_TRUE(w->Text4->text().startsWith(order == 1 ? "2007/12/31 23:59  " : "31/12/2007 23:59  ")) << w->Text4->text().toStdString();
                        }
                        for (const char* date : {"1601/1/1", "9999/12/31", "2007/10/27"}) {
                            w->DTPicker1->setDateText(date);
                            expectReadable(page, floating);
                        }
                    } else if (window.name == std::string("standard day") && readings == &many) {
                        auto& day = frmR04::instance();
                        day.Combo4->setCurrentIndex(day.Combo4->count() - 1);
                        day.Combo4_Click();
                    }
                    if (window.name == std::string("standard day"))
                        floating = {frmR04::instance().Text4, frmR04::instance().Text5,
                                    frmR04::instance().Text6};
                    expectReadable(page, floating);
                    if (window.name == std::string("histogram")) {
                        QStringList rangeLabels;
                        for (const ShownText& t : shownTexts(page)) {
                            EXPECT_FALSE(unit == 2 && t.text.contains("mg/dL")) << nameOf(t);
                            if (qobject_cast<platform::ChartControl*>(t.widget) &&
                                t.text.contains(QRegularExpression("^[<>]|-")))
                                rangeLabels << QString(t.text).remove('\n');
                        }
                        EXPECT_EQ(rangeLabels.join(' '), (unit == 1 ? kMgDlRanges : kMmolRanges).join(' '));
                    }
                    messages();
                }
}
