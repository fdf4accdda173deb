#include "meter/DownloadStep.h"

#include <iterator>

using protocol::Reply;

namespace {

struct StepRule {
    DownloadStep step;
    int downloadState;
    Reply answers[3];  // None pads the list
    bool strict;
};

constexpr Reply kNone = Reply::None;

// Every reply of the link-up moves it on in any of its phases.
constexpr StepRule kRules[] = {
    {DownloadStep::Idle, 0, {kNone, kNone, kNone}, false},
    {DownloadStep::Waking, 1, {Reply::Wake, Reply::Link, Reply::Hello}, false},
    {DownloadStep::LinkTest, 1, {Reply::Link, Reply::Hello, kNone}, false},
    {DownloadStep::Hello, 1, {Reply::Hello, kNone, kNone}, false},
    {DownloadStep::OnLine, 2, {kNone, kNone, kNone}, false},
    {DownloadStep::Counting, 2, {Reply::Count, kNone, kNone}, true},
    {DownloadStep::Glucose, 3, {Reply::GlucoseRecord, kNone, kNone}, true},
    {DownloadStep::Time, 3, {Reply::TimeRecord, kNone, kNone}, true},
    {DownloadStep::Sleeping, 4, {Reply::SleepAck, kNone, kNone}, true},
    {DownloadStep::Trusting, 4, {kNone, kNone, kNone}, true},
    {DownloadStep::Done, 4, {kNone, kNone, kNone}, false},
    {DownloadStep::GaveUp, 1, {kNone, kNone, kNone}, false},
    {DownloadStep::Stopped, 4, {kNone, kNone, kNone}, false},
};

constexpr bool rulesInStepOrder() {
    for (size_t i = 0; i < std::size(kRules); ++i)
        if (static_cast<size_t>(kRules[i].step) != i)
            return false;
    return std::size(kRules) == static_cast<size_t>(DownloadStep::Stopped) + 1;
}
static_assert(rulesInStepOrder(), "one rule per step, in the order of the steps");

constexpr const StepRule& ruleOf(DownloadStep step) {
    return kRules[static_cast<size_t>(step)];
}

}  // namespace

int downloadStateOf(DownloadStep step) {
    return ruleOf(step).downloadState;
}

bool answersStep(DownloadStep step, Reply reply) {
    for (Reply r : ruleOf(step).answers)
        if (r != kNone && r == reply)
            return true;
    return false;
}

std::vector<protocol::ReplyShape> shapesAwaited(DownloadStep step) {
    std::vector<protocol::ReplyShape> shapes;
    for (Reply r : ruleOf(step).answers)
        if (r != kNone)
            shapes.push_back(protocol::shapeOf(r));
    return shapes;
}

bool isStrict(DownloadStep step) {
    return ruleOf(step).strict;
}

bool isLinkUp(DownloadStep step) {
    return step == DownloadStep::Waking || step == DownloadStep::LinkTest ||
           step == DownloadStep::Hello || step == DownloadStep::OnLine;
}

bool hasEnded(DownloadStep step) {
    return step == DownloadStep::Done || step == DownloadStep::GaveUp ||
           step == DownloadStep::Stopped;
}
