#pragma once
// Enter in a window's boxes presses its button, as a dialog's default button
// would; the program's windows are plain windows, where Qt gives Enter no
// meaning.
#include <QList>

class QAbstractButton;
class QWidget;

namespace platform {

// Return or the keypad's Enter in any of `fields` clicks `button` (when it
// is enabled) once per key press: a key held down and repeating presses it
// no more. The key goes no further, so a list box adds no entry for it.
void pressOnEnter(QAbstractButton* button, const QList<QWidget*>& fields);

}  // namespace platform
