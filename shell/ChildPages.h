#pragma once
// The eleven pages that open inside the main window, one at a time, and the
// commands that close them all or open one of them.
#include <QString>
#include <functional>

namespace ChildPages {

// Unloads every open page, in the fixed order of the page table.
void CloseChildForms();

// Shows the named page; nothing for a page whose window is not built.
void Show(const char* name);

// Shows the page for the user's unit: the first for mg/dL (GluUnit 1), the
// second for mmol/L (GluUnit 2), none for any other unit.
void ShowByUnit(const char* mgdlPage, const char* mmolPage);

// Tests: told the name of each page just before CloseChildForms unloads it.
void setUnloadObserver(std::function<void(const QString&)> observer);

}  // namespace ChildPages
