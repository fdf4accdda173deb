// The data list, the standard day and the histogram: what each window shows
// with and without readings, in both units, and the commands that open them.
#include <QFile>
#include <QKeyEvent>
#include <QAbstractItemView>
#include <QLineEdit>
#include <QCoreApplication>
#include <functional>
#include <memory>

#include "app/Module1.h"
#include "meter/ReadingsFile.h"
#include "platform/Printing.h"
#include "platform/Twips.h"
#include "reports/Histogram.h"
#include "reports/StandardDay.h"
#include "reports/frmR01.h"
#include "reports/frmR01unit.h"
#include "reports/frmR04.h"
#include "reports/frmR05.h"
#include "shell/frmMain.h"
#include "shell/frmMenu.h"
#include "tests/support/ReportWindowTest.h"
#include "tests/support/FileBytes.h"

namespace {

const QString kNoReadings = "This ID have no Glucose data !! Please read from Meter!!";

QStringList texts(std::initializer_list<QLabel*> labels) {
    QStringList out;
    for (QLabel* label : labels)
        out << label->text();
    return out;
}

QStringList column(const platform::TextTableModel& model, int c) {
    QStringList out;
    for (int r = 0; r < model.rowCount(); ++r)
        out << model.data(model.index(r, c), Qt::DisplayRole).toString();
    return out;
}

// Where the ruler stands, from its design position in twips.
QRect ruler(int left, int width) {
    using platform::twipsToPixels;
    return {twipsToPixels(left), twipsToPixels(5520), twipsToPixels(width), twipsToPixels(540)};
}

QAction* toolButton(frmMain& main, const QString& key) {
    for (QAction* a : main.tbToolBar->actions()) {
        if (a->data().toString() == key)
            return a;
    }
    return nullptr;
}

}  // namespace

class ReportWindowsTest : public ReportWindowTest {
protected:
    // Readings oldest first as {month, day, hour, minute, glucose} of 2007,
    // in memory and in the readings file.
    void store(const std::vector<std::array<int, 5>>& readings) {
        ReadingList& list = Module1::state().readings;
        list.ReadCount = 0;
        for (const auto& r : readings) {
            const int i = ++list.ReadCount;
            list.ReadYear[i] = 2007;
            list.ReadMonth[i] = r[0];
            list.ReadDay[i] = r[1];
            list.ReadHour[i] = r[2];
            list.ReadMinute[i] = r[3];
            list.ReadGlucose[i] = r[4];
            list.ReadEvent[i] = QStringLiteral("C");
        }
        ASSERT_TRUE(CreateAfile(Module1::state()));
    }
    void storePlaceholder() {
        Module1::state().readings.ReadCount = 1;
        ASSERT_TRUE(writePlaceholderReadingsFile(Module1::state().UserID));
    }
};

TEST_F(ReportWindowsTest, DataListShowsTheFileNewestFirstAndKeepsEditsInTheGrid) {
    const struct {
        int unit;
        frmR01* form;
        QString glucoseCaption;
    } cases[] = {{1, &frmR01::instance(), "Glucose_mg/dL"}, {2, &frmR01unit::instance(), "Glucose"}};
    store({{3, 1, 8, 0, 90}, {3, 2, 8, 0, 108}, {3, 3, 8, 0, 126}});
    for (const auto& c : cases) {
        Module1::state().GluUnit = c.unit;
        main_->mnuReport1_Click();
        ASSERT_TRUE(c.form->isLoaded()) << c.unit;
        EXPECT_EQ(c.form->window()->windowTitle(), "Data List");
        const platform::TextTableModel& model = *c.form->DBGrid1->tableModel();
        EXPECT_EQ(column(model, 0), QStringList({"T0001", "T0002", "T0003", ""}));
        EXPECT_EQ(column(model, 7), QStringList({"7", "6", "5", ""}));
        EXPECT_EQ(model.headerData(1, Qt::Horizontal, Qt::DisplayRole), c.glucoseCaption);
        EXPECT_EQ(c.form->DBGrid1->isColumnHidden(7), c.unit == 1);
        EXPECT_TRUE(messages().isEmpty());
    }
    // Edits and added rows stay in the grid; no row can be deleted.
    const QByteArray before = test_files::bytesOf(readingsFilePath("anna"));
    platform::TextTableModel& model = *frmR01unit::instance().DBGrid1->tableModel();
    EXPECT_TRUE(model.setData(model.index(0, 1), "00999", Qt::EditRole));
    EXPECT_TRUE(model.setData(model.index(3, 6), "PC", Qt::EditRole));  // the row for adding
    EXPECT_FALSE(model.removeRows(0, 1));
    EXPECT_EQ(column(model, 1), QStringList({"999", "108", "90", "", ""}));
    EXPECT_EQ(column(model, 6), QStringList({"C", "C", "C", "PC", ""}));
    EXPECT_EQ(model.headerData(4, Qt::Vertical, Qt::DisplayRole), "*");
    EXPECT_EQ(test_files::bytesOf(readingsFilePath("anna")), before);
}

// Each cell shows its field as the text driver reads it: the numeric columns
// without their digit patterns; the row number, the mark, the date and a
// hand-edited field that is no number as they stand.
TEST_F(ReportWindowsTest, DataListCellsShowTheFieldsAsTheyRead) {
    const QStringList lines = {
        "Test_No,Glucose,Month,Day,Hour,Minute,Event,Glucose_mmol,Year,Date & Time",
        "T0001,00095,03,04,07,09,PC,05.3,2008,2008/03/04 - 07:09",
        "T0000,00000,00,00,00,00,0000,00000,0000,000000000000000000",
        "T0003,abc,,3, 07,9x,pc,-1820.4,2008,by hand",
        "T10000,01023"};
    const QStringList cells = {"T0001|95|3|4|7|9|PC|5.3|2008|2008/03/04 - 07:09",
                               "T0000|0|0|0|0|0|0|0|0|0",
                               "T0003|abc||3|7|9x|pc|-1820.4|2008|by hand",
                               "T10000|1023||||||||",
                               "|||||||||"};  // the row for adding
    store({{3, 1, 8, 0, 90}});
    writeCrLfLines(readingsFilePath("anna"), lines);
    for (int unit : {1, 2}) {
        Module1::state().GluUnit = qint16(unit);
        main_->mnuReport1_Click();
        const platform::TextTableModel& grid =
            *(unit == 1 ? frmR01::instance() : frmR01unit::instance()).DBGrid1->tableModel();
        QStringList rows;
        for (int r = 0; r < grid.rowCount(); ++r) {
            QStringList row;
            for (int c = 0; c < grid.columnCount(); ++c)
                row << grid.data(grid.index(r, c), Qt::DisplayRole).toString();
            rows << row.join('|');
        }
        EXPECT_EQ(rows.join('\n').toStdString(), cells.join('\n').toStdString()) << "unit " << unit;
    }
}

TEST_F(ReportWindowsTest, DataListWithoutReadingsOrWithoutItsFile) {
    const struct {
        const char* what;
        int unit;
        bool placeholder;  // else the file is missing
        frmR01* form;
        QString message;  // a text the one message holds, or none
        QStringList firstColumn;
    } cases[] = {
        {"mg/dL, no readings", 1, true, &frmR01::instance(), {}, {}},
        {"mmol/L, no readings", 2, true, &frmR01unit::instance(), kNoReadings, {"T0000", ""}},
        {"mg/dL, no file", 1, false, &frmR01::instance(), "anna.txt", {}},
        {"mmol/L, no file", 2, false, &frmR01unit::instance(), "anna.txt", {}},
    };
    for (const auto& c : cases) {
        if (c.placeholder) {
            storePlaceholder();
        } else {
            store({{3, 1, 8, 0, 90}});
            QFile::remove(readingsFilePath("anna"));
        }
        Module1::state().GluUnit = c.unit;
        main_->mnuReport1_Click();
        ASSERT_TRUE(c.form->isLoaded()) << c.what;
        const platform::TextTableModel& model = *c.form->DBGrid1->tableModel();
        EXPECT_EQ(column(model, 0), c.firstColumn) << c.what;
        EXPECT_EQ(model.headerData(9, Qt::Horizontal, Qt::DisplayRole), "Date & Time");
        const auto shown = messages();
        EXPECT_EQ(shown.size(), c.message.isEmpty() ? 0 : 1) << c.what;
        for (const auto& m : shown)
            EXPECT_TRUE(m.text.contains(c.message)) << c.what;
    }
}

TEST_F(ReportWindowsTest, StandardDayListsDaysAndDrawsThePickedOne) {
    store({{5, 3, 7, 30, 100}, {5, 3, 7, 30, 104}, {5, 4, 9, 0, 300}, {5, 3, 12, 0, 101}});
    main_->mnuReport2_Click();
    frmR04& w = frmR04::instance();
    EXPECT_EQ(w.window()->windowTitle(), "Standard Day");
    EXPECT_EQ(w.Label5->text(), "anna");
    EXPECT_EQ(w.Combo4->currentText(), "Search");
    EXPECT_EQ(w.Text2->geometry(), ruler(1265, 9030));
    EXPECT_EQ(w.Combo4->count(), 3);
    EXPECT_EQ(w.MSChart1->chartData(), emptyDayTable(GlucoseUnit::MgDl, 120, 80));
    const QStringList design = texts({w.Label18, w.Label12, w.Label13, w.Label14});
    // Typed text, even a listed date, draws nothing; a draw with an empty box
    // does nothing.
    w.Combo4->setEditText("2007/5/4");
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(w.Combo4->lineEdit(), &enter);
    emit w.Combo4->lineEdit()->editingFinished();
    EXPECT_EQ(texts({w.Label18, w.Label12, w.Label13, w.Label14}), design);
    w.Combo4->setEditText(QString());
    w.DrawStandardDay();
    EXPECT_EQ(texts({w.Label18, w.Label12, w.Label13, w.Label14}), design);
    // A pick from the opened list draws.
    w.Combo4->showPopup();
    w.Combo4->view()->setCurrentIndex(w.Combo4->model()->index(0, 0));
    QCoreApplication::sendEvent(w.Combo4->view(), &enter);
    EXPECT_EQ(texts({w.Label18, w.Label12, w.Label13, w.Label14, w.Label2}),
              QStringList({"3", "104", "100", "101", "1"}));
    EXPECT_EQ(w.MSChart1->chartData().cell(dayTableRow(450), 2), QVariant("104.00"));

    // A day without readings redraws the limits and keeps the statistics.
    w.Combo4->setEditText("2007/6/1");
    w.DrawStandardDay();
    EXPECT_EQ(w.MSChart1->chartData(), emptyDayTable(GlucoseUnit::MgDl, 120, 80));
    EXPECT_EQ(w.Label18->text(), "3");
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(ReportWindowsTest, StandardDayInMmolMovesItsRuler) {
    Module1::state().GluUnit = 2;
    Module1::state().TimeFormat = 2;
    store({{5, 3, 7, 30, 123}});
    main_->mnuReport2_Click();
    frmR04& w = frmR04::instance();
    EXPECT_EQ(w.Text2->geometry(), ruler(1110, 9175));
    EXPECT_EQ(texts({w.Label6, w.Label10, w.Label11}), QStringList(3, "mmol/L"));
    EXPECT_EQ(w.Text7->text(), "mmol/L");
    w.Combo4->setCurrentIndex(0);  // 3/5/2007
    w.Combo4_Click();
    EXPECT_EQ(w.Text2->geometry(), ruler(1190, 9110));
    EXPECT_EQ(texts({w.Label18, w.Label12, w.Label13, w.Label14}),
              QStringList({"1", "6.8", "6.8", "6.8"}));
}

TEST_F(ReportWindowsTest, HistogramCountsAllReadingsInBothUnits) {
    const struct {
        int unit, dateOrder;
        QStringList labels;  // span, count, highest, lowest, average, unit
        QString firstRange;
        bool mmolTitle;
    } cases[] = {
        {1, 1, {"2007/3/1 ~ 2007/4/2", "3", "400", "55", "218", "mg/dL"}, "<61", false},
        {2, 2, {"1/3/2007 ~ 2/4/2007", "3", "22.2", "3.1", "12.1", "mmol/L"}, "<3.4", true},
    };
    store({{3, 1, 8, 0, 55}, {3, 9, 8, 0, 200}, {4, 2, 8, 0, 400}});
    for (const auto& c : cases) {
        Module1::state().GluUnit = c.unit;
        Module1::state().TimeFormat = c.dateOrder;
        main_->mnuReport4_Click();
        frmR05& w = frmR05::instance();
        EXPECT_EQ(w.window()->windowTitle(), "Histogram");
        EXPECT_EQ(texts({w.Label15, w.Label2, w.Label12, w.Label13, w.Label14, w.Label11}),
                  c.labels);
        EXPECT_EQ(w.MSChart1->chartData().rowLabel(1), c.firstRange);
        EXPECT_EQ(w.MSChart1->chartData().point(12, 1), 1.0);
        EXPECT_EQ(w.Text2->isVisibleTo(w.window()), c.mmolTitle);
        EXPECT_TRUE(messages().isEmpty());
    }
}

TEST_F(ReportWindowsTest, NoReadingsPathOfStandardDayAndHistogram) {
    const struct {
        const char* what;
        int readCount;  // 1: the placeholder row; 0: no row at all
        int unit;
        qint16 glucose;  // of the lone row: its day of 0 alone marks no readings
    } cases[] = {{"placeholder", 1, 1, 0}, {"placeholder, mmol/L", 1, 2, 0}, {"empty table", 0, 2, 0},
                 {"day 0 with a glucose", 1, 1, 150}};
    for (const auto& c : cases) {
        storePlaceholder();
        Module1::state().readings.ReadCount = c.readCount;
        Module1::state().readings.ReadGlucose[1] = c.glucose;
        Module1::state().GluUnit = c.unit;
        const GlucoseUnit unit = c.unit == 2 ? GlucoseUnit::MmolL : GlucoseUnit::MgDl;
        main_->mnuReport4_Click();
        frmR05& h = frmR05::instance();
        EXPECT_EQ(texts({h.Label15, h.Label2, h.Label12}),
                  QStringList({"- - - -/ - - / - - ~ - - - - / - - / - -", "- -", "- - -"}));
        EXPECT_EQ(h.MSChart1->chartData(), histogramTable({}, unit)) << c.what;
        EXPECT_EQ(h.Text2->isVisibleTo(h.window()), c.unit == 2);
        main_->mnuReport2_Click();
        frmR04& d = frmR04::instance();
        EXPECT_FALSE(d.Combo4->isEnabled());
        EXPECT_EQ(d.Combo4->count(), c.readCount) << c.what;
        EXPECT_EQ(d.MSChart1->chartData(), emptyDayTable(unit, 120, 80));
        EXPECT_EQ(messages().size(), 2) << c.what;
    }
}

TEST_F(ReportWindowsTest, EveryCommandOpensItsReportAndPrintsIt) {
    store({{3, 1, 8, 0, 90}});
    frmMenu& menu = frmMenu::instance();
    const struct {
        int unit;
        std::function<void()> command;
        platform::Form* form;
    } cases[] = {
        {1, [&] { main_->mnuReport1_Click(); }, &frmR01::instance()},
        {2, [&] { main_->tbToolBar_ButtonClick(toolButton(*main_, "Data List")); },
         &frmR01unit::instance()},
        {1, [&] { main_->tbToolBar_ButtonClick(toolButton(*main_, "Standard Day")); },
         &frmR04::instance()},
        {2, [&] { main_->tbToolBar_ButtonClick(toolButton(*main_, "Histogram")); },
         &frmR05::instance()},
        {2, [&] { menu.Show(); menu.Picture1_Click(); }, &frmR01unit::instance()},
        {1, [&] { menu.Show(); menu.Picture2_Click(); }, &frmR04::instance()},
        {2, [&] { menu.Show(); menu.Picture4_Click(); }, &frmR05::instance()},
    };
    for (const auto& c : cases) {
        Module1::state().GluUnit = c.unit;
        c.command();
        EXPECT_TRUE(c.form->isLoaded());
        EXPECT_EQ(main_->activeChildPage(), c.form->window());
        EXPECT_FALSE(menu.isLoaded());
    }
    const QString pdf = dir_.filePath("report.pdf");
    platform::setPrinterOutputFile(pdf);
    main_->mnuPrintR_Click();
    EXPECT_TRUE(test_files::bytesOf(pdf).startsWith("%PDF-"));
}
