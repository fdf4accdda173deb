#include "meter/frmReadOldData.h"

#include <QLabel>

#include "app/Module1.h"
#include "meter/ReadingsLoader.h"
#include "platform/MessageBox.h"
#include "platform/Twips.h"
#include "platform/core/DataFolder.h"

frmReadOldData& frmReadOldData::instance() {
    static frmReadOldData* form = new frmReadOldData;
    return *form;
}

void frmReadOldData::Show() {
    if (!initialized_) {
        initialized_ = true;
        Form_Initialize();
    }
    platform::Form::Show();
}

QWidget* frmReadOldData::CreateControls() {
    auto* w = new QWidget;
    w->setWindowTitle(QString());
    w->setFixedSize(platform::twipsToPixels(3600), platform::twipsToPixels(1200));
    Label1 = new QLabel(QStringLiteral("Reading..."), w);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    platform::placeTwips(Label1, 240, 360, 3120, 480);
    return w;
}

void frmReadOldData::Form_Load() {
    QuorDB.DatabaseName = platform::dataFolder();
    QuorDB.RecordSource = Module1::state().UserID + QStringLiteral("#txt");
}

QString frmReadOldData::DataControl::filePath() const {
    QString fileName = RecordSource;
    const int hash = fileName.lastIndexOf(QLatin1Char('#'));
    if (hash >= 0)
        fileName[hash] = QLatin1Char('.');
    return DatabaseName + QLatin1Char('/') + fileName;
}

void frmReadOldData::Form_Initialize() {
    Load();  // the data control is bound to the user's file by Form_Load
    Module1::State& s = Module1::state();
    const ReadingsLoadResult result = loadReadingsFile(QuorDB.filePath(), s);
    if (result.fileUnreadable)
        platform::MsgBox(unreadableFileMessage(QuorDB.filePath()));
    if (result.linesLeftOut > 0)
        platform::MsgBox(linesLeftOutMessage(result, s.readingsBackupPath));
}
