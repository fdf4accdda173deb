#pragma once
// Fixture for window tests: a private data folder, a fresh shared state,
// recorded message boxes and an ending of the program that only counts.
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "platform/MessageBox.h"

class GuiTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    QString dataFile(const QString& name) const;
    QList<platform::RecordedMessage> messages();  // takes what was recorded
    QStringList messageTexts();                   // the same, their texts only
    // Runs the event loop for about `ms` milliseconds.
    static void pump(int ms = 0);

    QTemporaryDir dir_;
    int endProgramCalls_ = 0;
};
