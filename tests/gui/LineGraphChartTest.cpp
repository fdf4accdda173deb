// The chart of the line graph and the PC line graph, in both units: readings
// beyond the fixed axis on the plot's frame, a tip that follows every redraw.
#include <QCoreApplication>
#include <QMouseEvent>

#include "linegraph/frmR02.h"
#include "pclinegraph/frmR02p.h"
#include "platform/Twips.h"
#include "tests/support/ReadingRows.h"
#include "tests/support/ReportWindowTest.h"
#include "tests/support/ShownTexts.h"

namespace {

const struct Graph { const char* name; int unit; bool postMeal; } kGraphs[] = {
    {"mg/dL", 1, false}, {"mmol/L", 2, false}, {"PC mg/dL", 1, true}, {"PC mmol/L", 2, true}};

std::string tipOf(const ReadingRow& r, int unit) {
    const QString value = unit == 1 ? QStringLiteral("%1mg/dL").arg(r.glucose)
                                    : QString::number(r.glucose / 18.0, 'f', 1) + "mmol/L";
    return QStringLiteral("%1/%2/%3 %4:%5  %6").arg(r.year).arg(r.month).arg(r.day).arg(r.hour)
        .arg(r.minute).arg(value).toStdString();
}

// The pointer moves over column `row`, half way down the chart.
void pointAt(frmLineGraphBase& w, int row) {
    const QPointF at(w.MSChart1->columnCentrePixels(row), w.MSChart1->height() / 2.0);
    QMouseEvent move(QEvent::MouseMove, at, at, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w.MSChart1, &move);
}

void setRange(frmLineGraphBase& w, const QString& from, const QString& to) {
    w.DTPicker1->setDateText(from);
    w.DTPicker2->setDateText(to);
    w.DTPicker2_Change();
}

// The readings' red line touches the plot's top (or bottom) frame at `row`.
bool onFrame(const frmLineGraphBase& w, int row, bool top) {
    const QRect plot = w.MSChart1->plotAreaTwips();
    const int frame = (top ? plot.top() : plot.bottom()) / platform::kTwipsPerPixel;
    const QRect around(int(w.MSChart1->columnCentrePixels(row)) - 2, frame - 1, 5, 3);
    return pixelsOfColour(w.MSChart1->grab().toImage(), around, QColor(255, 0, 0)) > 0;
}

}  // namespace

class LineGraphChartTest : public ReportWindowTest {
protected:
    frmLineGraphBase& open(const Graph& g) {
        Module1::state().GluUnit = g.unit;
        using Base = frmLineGraphBase&;
        if (g.postMeal) {
            main_->ShowPCLineGraph();
            return g.unit == 1 ? Base(frmR02p::instance()) : frmR02unitp::instance();
        }
        main_->mnuReport5_Click();
        return g.unit == 1 ? Base(frmR02::instance()) : frmR02unit::instance();
    }
};

// The axis stays 0-600 mg/dL (0-35 mmol/L); the meter reports up to 1023 and
// an edited file may hold a negative value.
TEST_F(LineGraphChartTest, ReadingsBeyondTheAxisStandOnThePlotsFrame) {
    const std::vector<ReadingRow> rows = {{2007, 5, 1, 8, 0, 500, "PC"}, {2007, 5, 2, 8, 0, 650, "PC"},
        {2007, 5, 3, 8, 0, 700, "PC"}, {2007, 5, 4, 8, 0, 1023, "PC"}, {2007, 5, 5, 8, 0, -400, "PC"}};
    fillReadings(Module1::state().readings, rows);
    for (const Graph& g : kGraphs) {
        frmLineGraphBase& w = open(g);
        const QImage image = w.MSChart1->grab().toImage();
        const QRectF reach = w.MSChart1->seriesAreaPixels();
        int outside = 0;  // red or its anti-aliased edge
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = image.pixel(x, y);
                outside += qRed(p) - qGreen(p) > 60 && qRed(p) - qBlue(p) > 60 && !reach.contains(x, y);
            }
        EXPECT_EQ(outside, 0) << g.name;
        EXPECT_FALSE(onFrame(w, 1, true)) << g.name;  // 500 lies below it
        EXPECT_TRUE(onFrame(w, 2, true) && onFrame(w, 3, true) && onFrame(w, 4, true)) << g.name;
        EXPECT_TRUE(onFrame(w, 5, false)) << g.name;
        // The statistics and the tip keep the true values.
        EXPECT_EQ(w.Label12->text() + " " + w.Label13->text(), g.unit == 1 ? "1023 -400" : "56.8 -22.2")
            << g.name;
        pointAt(w, 4);
        EXPECT_EQ(w.Text4->text().toStdString(), tipOf(rows[3], g.unit)) << g.name;
        setRange(w, "2007/5/4", "2007/5/4");  // a lone reading: a dot on the frame
        EXPECT_TRUE(onFrame(w, 1, true)) << g.name;
    }
}

// The pointer stays over column 1 while the chart under it changes.
TEST_F(LineGraphChartTest, AfterEveryRedrawTheTipNamesTheReadingUnderThePointer) {
    const std::vector<ReadingRow> rows = dailyReadings(300, QStringLiteral("PC"));  // all at 8:30
    fillReadings(Module1::state().readings, rows);
    for (const Graph& g : kGraphs) {
        frmLineGraphBase& w = open(g);
        auto* hours = dynamic_cast<frmR02*>(&w);
        pointAt(w, 1);
        EXPECT_EQ(w.Text4->text().toStdString(), tipOf(rows[150], g.unit)) << g.name;  // the newest 150
        w.HScroll1->setValue(0);
        EXPECT_EQ(w.Text4->text().toStdString(), tipOf(rows[0], g.unit)) << g.name;
        setRange(w, "2007/10/1", "2007/12/31");  // 50 rows
        EXPECT_EQ(w.Text4->text().toStdString(), tipOf(rows[273], g.unit)) << g.name;
        if (hours) {
            hours->ComboHI->setText("2");
            hours->ComboLO->setText("1");
        } else {
            setRange(w, "2008/1/5", "2008/1/5");
        }
        EXPECT_EQ(w.Label2->text(), "0") << g.name;
        EXPECT_EQ(w.Text4->text(), "None Data") << g.name;
        EXPECT_FALSE(w.Text4->isVisibleTo(w.window()) || w.Text3->text() == " Y") << g.name;
        if (hours) {
            hours->ComboLO->setText("0");
            hours->ComboHI->setText("24");
        } else {
            setRange(w, "2007/10/1", "2007/12/31");
        }
        EXPECT_EQ(w.Text4->text().toStdString(), tipOf(rows[273], g.unit)) << g.name;
        EXPECT_TRUE(w.Text4->isVisibleTo(w.window()) && w.Text3->text() == " Y") << g.name;
        // A new opening shows the design tip until the pointer moves.
        EXPECT_EQ(open(g).Text4->text(), "None Data") << g.name;
    }
}
