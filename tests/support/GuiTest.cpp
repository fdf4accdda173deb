#include "tests/support/GuiTest.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include "app/Module1.h"
#include "platform/Program.h"
#include "platform/core/Clock.h"
#include "platform/core/DataFolder.h"

void GuiTest::SetUp() {
    ASSERT_TRUE(dir_.isValid());
    qputenv("XDG_DATA_HOME", dir_.path().toLocal8Bit());
    Module1::resetState();
    platform::setRecordMessages(true);
    platform::setClock({});
    endProgramCalls_ = 0;
    platform::setEndProgramHook([this] { ++endProgramCalls_; });
}

void GuiTest::TearDown() {
    platform::setEndProgramHook({});
    platform::setClock({});
    pump();
}

QString GuiTest::dataFile(const QString& name) const {
    return platform::dataPath(name);
}

QList<platform::RecordedMessage> GuiTest::messages() {
    return platform::takeRecordedMessages();
}

QStringList GuiTest::messageTexts() {
    QStringList texts;
    for (const platform::RecordedMessage& m : messages())
        texts << m.text;
    return texts;
}

void GuiTest::pump(int ms) {
    QElapsedTimer t;
    t.start();
    do {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    } while (t.elapsed() < ms);
}
