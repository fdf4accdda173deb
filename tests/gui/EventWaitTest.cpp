// The tests' own waits: what never comes fails the test, and a box left
// open is closed, so that neither hangs a test.
#include <QMessageBox>
#include <gtest/gtest-spi.h>

#include "platform/MessageBox.h"
#include "tests/support/EventWait.h"
#include "tests/support/GuiTest.h"

class EventWaitTest : public GuiTest {};

TEST_F(EventWaitTest, WhatNeverComesFailsTheTestOnce) {
    EXPECT_FALSE(test_wait::until([] { return false; }, 50));
    EXPECT_NONFATAL_FAILURE(
        {
            const test_wait::WhenReady never([] { return false; }, [] {}, "the tick", 50);
            pump(200);
        },
        "the tick did not come within 50 ms");
    EXPECT_NONFATAL_FAILURE(
        { const test_wait::WhenReady gone([] { return false; }, [] {}, "the tick"); },
        "the tick never came");
    EXPECT_NONFATAL_FAILURE(
        { const test_wait::MessageBoxWatch noBox([](QMessageBox&) {}); },
        "a message box never came");
}

TEST_F(EventWaitTest, ABoxLeftOpenIsClosedAsAFailure) {
    platform::setRecordMessages(false);
    QString seen;
    EXPECT_NONFATAL_FAILURE(
        {
            const test_wait::MessageBoxWatch leaveOpen([&](QMessageBox& box) { seen = box.text(); },
                                                       [] { return true; }, 100);
            platform::MsgBox(QStringLiteral("Link Error !"));  // returns once closed
        },
        "the message box \"Link Error !\" was still open after 100 ms; closed it");
    platform::setRecordMessages(true);
    EXPECT_EQ(seen, "Link Error !");
    EXPECT_EQ(test_wait::shownMessageBox(), nullptr);
}
