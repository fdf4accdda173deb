#pragma once
// No text is cut without a sign: a label or read-only text box whose text
// is wider than its box shows as much as fits followed by "…", on screen
// and on a printout, and its tip gives the whole text. A text that fits is
// painted and tipped as Qt does it.
class QWidget;

namespace platform {

// Watches every label and text box of the window.
void markCutTexts(QWidget* window);

}  // namespace platform
