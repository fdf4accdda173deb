// A download against a meter that answers every command with bytes taken
// from the input: each answer is one length byte (0 to 15 bytes follow),
// and once the input is used up the meter falls silent. The sequence must
// neither crash nor save a batch larger than the meter can hold, nor a
// reading outside the calendar.
#include "fuzz/FuzzSupport.h"
#include "tests/core/SequenceRig.h"

namespace {

class Answers {
public:
    Answers(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    QByteArray next() {
        if (pos_ >= size_)
            return {};
        const size_t wanted = data_[pos_++] & 0x0F;
        const size_t length = std::min(wanted, size_ - pos_);
        const QByteArray out(reinterpret_cast<const char*>(data_ + pos_),
                             static_cast<int>(length));
        pos_ += length;
        return out;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Answers answers(data, size);
    SequenceRig rig;
    rig.link.meter.silent = true;
    rig.link.failWrite = [&](const QByteArray&) {
        rig.link.inject(answers.next());
        return false;
    };
    rig.loadAndStart();
    // A minute of meter time is more than any download of 255 readings takes.
    rig.runUntil([&] { return !rig.window.anyTimerOn(); }, 60000);
    for (const auto& save : rig.window.saves) {
        fuzz::check(save.size() <= 255, "a save holds at most the meter's 255 readings");
        for (const SavedReading& r : save)
            fuzz::check(r.month >= 1 && r.month <= 12 && r.day >= 1 && r.day <= 31 &&
                            r.hour <= 23 && r.minute <= 59,
                        "a saved reading lies in the calendar");
    }
    return 0;
}
