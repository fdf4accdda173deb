#pragma once
// A fixture for tests without windows that still run inside a Qt
// application (serial ports and processes live on socket notifiers there):
// one QCoreApplication for the suite, and XDG_DATA_HOME pointed at a fresh
// temporary folder for each test and put back afterwards, so the program's
// data folder (and its COM<n> entries) is private to the test.
#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

class DataHomeTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (!QCoreApplication::instance())
            app_ = new QCoreApplication(argc_, argv_);
    }
    static void TearDownTestSuite() {
        delete app_;
        app_ = nullptr;
    }

    void SetUp() override {
        hadXdg_ = qEnvironmentVariableIsSet("XDG_DATA_HOME");
        oldXdg_ = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", home_.path().toLocal8Bit());
    }
    void TearDown() override {
        if (hadXdg_)
            qputenv("XDG_DATA_HOME", oldXdg_);
        else
            qunsetenv("XDG_DATA_HOME");
    }

    // The program's data folder inside the temporary home.
    QString dataDir() const { return home_.path() + QStringLiteral("/ambrel"); }

    QTemporaryDir home_;

private:
    static inline int argc_ = 1;
    static inline char name_[] = "tests";
    static inline char* argv_[] = {name_, nullptr};
    static inline QCoreApplication* app_ = nullptr;

    QByteArray oldXdg_;
    bool hadXdg_ = false;
};
