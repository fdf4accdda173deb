#pragma once
// Where a download stands, and with it what the meter has been asked and
// which reply answers it. Replies name no request, so this is the one place
// that says whether bytes from the meter answer what was asked.
#include "meter/DownloadHost.h"
#include <vector>

#include "meter/Protocol.h"

enum class DownloadStep {
    Idle,      // no download yet
    Waking,    // the wake byte every 50 ms
    LinkTest,  // the link test byte every 100 ms
    Hello,     // the hello command every second
    OnLine,    // greeted; the count request waits for a quiet line
    Counting,  // the count request is out
    Glucose,   // one glucose record request at a time
    Time,      // one time record request at a time
    Sleeping,  // the sleep command is out; the save waits for its acknowledgement
    Trusting,  // acknowledged; the line must stay quiet before the save
    Done,      // saved, or nothing to save; the poll only drains the link
    GaveUp,    // the link-up gave up
    Stopped,   // an error ended the download
};

// The state the window's handlers know: 1 linking up, 2 greeted, 3 fetching
// records, 4 once the sleep command went out.
int downloadStateOf(DownloadStep step);

// Whether `reply`, as the bytes were classified, is what `step` waits for.
bool answersStep(DownloadStep step, protocol::Reply reply);

// The shapes of the replies `step` waits for.
std::vector<protocol::ReplyShape> shapesAwaited(DownloadStep step);

// From the count request on, bytes that neither answer the request nor are
// a reply the meter still owes mean that a reply may already have been
// taken for the wrong request: the download is out of step.
bool isStrict(DownloadStep step);

// Waking, link test, hello, and the wait for a quiet line before the count.
bool isLinkUp(DownloadStep step);

// Saved, failed, given up: nothing the link does now concerns the user.
bool hasEnded(DownloadStep step);

// The timer whose ticks send the command of a link-up phase.
struct LinkUpPhase {
    DownloadStep step;
    DownloadTimer timer;
};
inline constexpr LinkUpPhase kLinkUpPhases[] = {
    {DownloadStep::Waking, DownloadTimer::TimerOP},
    {DownloadStep::LinkTest, DownloadTimer::Timer1},
    {DownloadStep::Hello, DownloadTimer::Timer2},
};
