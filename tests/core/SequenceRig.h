#pragma once
// A download sequence wired to a fake meter link and a fake window whose
// timers run on simulated time: each millisecond the enabled timers that are
// due fire in a fixed order, so whole downloads run at once and repeatably.
#include <QString>
#include <gtest/gtest.h>
#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "meter/DownloadSequence.h"
#include "tests/support/FakeMeterLink.h"

struct SavedReading {
    int month, day, hour, minute, glucose, mealFlag;
    bool operator==(const SavedReading& o) const {
        return month == o.month && day == o.day && hour == o.hour && minute == o.minute &&
               glucose == o.glucose && mealFlag == o.mealFlag;
    }
};

class FakeDownloadWindow : public DownloadHost {
public:
    struct Status {
        QString text;
        int wakeTicks;
    };

    std::array<bool, 7> timerOn{};
    std::array<long, 7> due{};
    const long* clockMs = nullptr;
    std::vector<Status> statuses;
    std::vector<int> progressValues;
    int progressMaximum = 100;
    std::vector<QString> messages;
    int portFailures = 0;
    int port = 1;
    std::unique_ptr<MeterBatch> staging = std::make_unique<MeterBatch>();
    SaveOutcome outcome = SaveOutcome::Saved;
    std::vector<std::vector<SavedReading>> saves;
    std::function<void(DownloadTimer)> whenEnabled = [](DownloadTimer) {};
    const DownloadSequence* sequence = nullptr;

    static int slot(DownloadTimer t) { return static_cast<int>(t); }
    bool isOn(DownloadTimer t) const { return timerOn[slot(t)]; }
    bool anyTimerOn() const {
        for (bool on : timerOn)
            if (on)
                return true;
        return false;
    }
    std::vector<QString> statusTexts() const {
        std::vector<QString> out;
        for (const Status& s : statuses)
            out.push_back(s.text);
        return out;
    }

    void setTimerEnabled(DownloadTimer t, bool on) override {
        if (on && !timerOn[slot(t)]) {
            due[slot(t)] = *clockMs + timerPeriodMs(t);
            timerOn[slot(t)] = true;
            whenEnabled(t);
        }
        if (!on)
            timerOn[slot(t)] = false;
    }
    void showStatus(const QString& text) override {
        statuses.push_back({text, sequence ? sequence->WakeTicks : -1});
    }
    void setProgressValue(int value) override { progressValues.push_back(value); }
    void setProgressMaximum(int maximum) override { progressMaximum = maximum; }
    void showMessage(const QString& text) override { messages.push_back(text); }
    void portOpenFailed() override { ++portFailures; }
    int comPort() const override { return port; }
    MeterBatch& batch() override { return *staging; }
    SaveOutcome saveDownload() override {
        std::vector<SavedReading> rows;
        for (int i = 1; i <= staging->NewCount; ++i)
            rows.push_back({staging->NewMonth[i], staging->NewDay[i], staging->NewHour[i],
                            staging->NewMinute[i], staging->NewGlucose[i],
                            staging->NewEvent[i].toInt()});
        saves.push_back(rows);
        return outcome;
    }
};

class SequenceRig {
public:
    long now = 0;
    FakeMeterLink link;
    FakeDownloadWindow window;
    DownloadSequence seq{window, &link};

    SequenceRig() {
        link.simulatedMs = &now;
        window.clockMs = &now;
        window.sequence = &seq;
    }

    // A meter holding `n` readings with distinct, decodable records.
    void meterHolds(int n) {
        for (int i = 1; i <= n; ++i)
            link.meter.readings.push_back(
                {QByteArray::fromHex("7B61AA"), QByteArray::fromHex("45DBAA")});
        for (int i = 0; i < n; ++i) {
            link.meter.readings[i].glucoseRecord[0] = static_cast<char>(0x10 + i);
            link.meter.readings[i].timeRecord[0] = static_cast<char>(0x40 + i);
        }
    }
    // What the records of meterHolds(n) decode to.
    static SavedReading expectedReading(int index) {
        return {6, 27, 13, index - 1, 256 + 0x10 + index - 1, 0};
    }

    void load() { ASSERT_TRUE(seq.OpenPort()); }
    void startReading() { seq.CommandMR_Click(); }
    void loadAndStart() {
        load();
        startReading();
    }

    void advance(long ms) {
        for (long end = now + ms; now < end;)
            tick();
    }
    // Runs until `done` holds; false when `limitMs` pass first.
    bool runUntil(const std::function<bool()>& done, long limitMs = 60000) {
        for (long end = now + limitMs; now < end; tick())
            if (done())
                return true;
        return done();
    }
    bool completed() const {
        const auto& s = window.statuses;
        return !s.empty() && s.back().text.startsWith(QStringLiteral("Complete!"));
    }

private:
    void tick() {
        ++now;
        for (DownloadTimer t : kAllDownloadTimers) {
            const int i = FakeDownloadWindow::slot(t);
            if (window.timerOn[i] && window.due[i] == now) {
                window.due[i] += timerPeriodMs(t);
                fire(t);
            }
        }
    }
    void fire(DownloadTimer t) {
        switch (t) {
        case DownloadTimer::TimerRt: seq.TimerRt_Timer(); break;
        case DownloadTimer::TimerOP: seq.TimerOP_Timer(); break;
        case DownloadTimer::Timer1: seq.Timer1_Timer(); break;
        case DownloadTimer::Timer2: seq.Timer2_Timer(); break;
        case DownloadTimer::Timer3: seq.Timer3_Timer(); break;
        case DownloadTimer::Timer4: seq.Timer4_Timer(); break;
        case DownloadTimer::TimerSleep: seq.TimerSleep_Timer(); break;
        }
    }
};

enum class Outcome {
    Exact,    // the meter's readings saved, "Complete!"
    Refused,  // nothing saved, never "Complete!", one failure message
};


inline bool isFailureText(const QString& text) {
    return text == QStringLiteral("Link Error !") ||
           text.startsWith(QStringLiteral("Data Receiving Error! Got "));
}

// Runs until the download has ended one way or the other, checks how, and
// that nothing follows the end.
inline void expectOutcome(SequenceRig& rig, int readings, Outcome outcome, long withinMs) {
    const long start = rig.now;
    ASSERT_TRUE(rig.runUntil([&] { return rig.completed() || !rig.window.messages.empty(); },
                             withinMs))
        << "no end after " << withinMs << " ms";
    rig.advance(3000);  // nothing may follow the end
    if (outcome == Outcome::Exact) {
        EXPECT_TRUE(rig.completed());
        EXPECT_TRUE(rig.window.messages.empty());
        ASSERT_EQ(rig.window.saves.size(), 1u);
        ASSERT_EQ(rig.window.saves.front().size(), static_cast<size_t>(readings));
        for (int i = 1; i <= readings; ++i)
            EXPECT_EQ(rig.window.saves.front()[i - 1], SequenceRig::expectedReading(i)) << i;
        return;
    }
    EXPECT_TRUE(rig.window.saves.empty()) << "ended at " << rig.now - start << " ms";
    EXPECT_FALSE(rig.completed());
    ASSERT_EQ(rig.window.messages.size(), 1u);
    EXPECT_TRUE(isFailureText(rig.window.messages.front()))
        << rig.window.messages.front().toStdString();
}
