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

// The reports that come as two windows, one for mg/dL and one for mmol/L.
enum class UnitReport { None, DataList, LineGraph, PcLineGraph };

// Shows the report's window for the user's unit: mg/dL for GluUnit 1,
// mmol/L for GluUnit 2, none for any other unit.
void ShowByUnit(UnitReport report);

// Tests: told the name of each page just before CloseChildForms unloads it.
void setUnloadObserver(std::function<void(const QString&)> observer);

}  // namespace ChildPages
