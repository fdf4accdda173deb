#include "meter/Merge.h"

// Placeholder until the merge is built.
SaveOutcome SaveDownload(Module1::State&) {
    return SaveOutcome::WriteFailed;
}

QString saveOutcomeMessage(SaveOutcome) {
    return QString();
}
