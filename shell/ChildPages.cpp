#include "shell/ChildPages.h"

#include <cstring>

#include "app/Module1.h"
#include "linegraph/frmR02.h"
#include "meter/frmMeterRead.h"
#include "pclinegraph/frmR02p.h"
#include "platform/Form.h"
#include "reports/frmR01.h"
#include "reports/frmR01unit.h"
#include "reports/frmR04.h"
#include "reports/frmR05.h"
#include "shell/frmIndex.h"
#include "shell/frmMenu.h"

namespace ChildPages {

namespace {

using FormGetter = platform::Form* (*)();

struct Page {
    const char* name;
    FormGetter form;  // nullptr while the window is not built
    // A report of two windows: which report, and the GluUnit this one shows.
    UnitReport report = UnitReport::None;
    int gluUnit = 0;
};

// The order in which CloseChildForms unloads the pages. The report windows
// take their place here, in this order, as they are built.
const Page kPages[] = {
    {"frmR01", [] { return static_cast<platform::Form*>(&frmR01::instance()); },
     UnitReport::DataList, 1},
    {"frmR01unit", [] { return static_cast<platform::Form*>(&frmR01unit::instance()); },
     UnitReport::DataList, 2},
    {"frmR02", [] { return static_cast<platform::Form*>(&frmR02::instance()); },
     UnitReport::LineGraph, 1},
    {"frmR02unit", [] { return static_cast<platform::Form*>(&frmR02unit::instance()); },
     UnitReport::LineGraph, 2},
    {"frmR02p", [] { return static_cast<platform::Form*>(&frmR02p::instance()); },
     UnitReport::PcLineGraph, 1},
    {"frmR02unitp", [] { return static_cast<platform::Form*>(&frmR02unitp::instance()); },
     UnitReport::PcLineGraph, 2},
    {"frmR04", [] { return static_cast<platform::Form*>(&frmR04::instance()); }},
    {"frmR05", [] { return static_cast<platform::Form*>(&frmR05::instance()); }},
    {"frmMeterRead", [] { return static_cast<platform::Form*>(&frmMeterRead::instance()); }},
    {"frmMenu", [] { return static_cast<platform::Form*>(&frmMenu::instance()); }},
    {"frmIndex", [] { return static_cast<platform::Form*>(&frmIndex::instance()); }},
};

std::function<void(const QString&)>& unloadObserver() {
    static std::function<void(const QString&)> observer;
    return observer;
}

platform::Form* formNamed(const char* name) {
    for (const Page& page : kPages) {
        if (std::strcmp(page.name, name) == 0)
            return page.form ? page.form() : nullptr;
    }
    return nullptr;
}

}  // namespace

void CloseChildForms() {
    for (const Page& page : kPages) {
        platform::Form* form = page.form ? page.form() : nullptr;
        if (!form || !form->isLoaded())
            continue;
        if (unloadObserver())
            unloadObserver()(QString::fromLatin1(page.name));
        form->Unload();
    }
}

void Show(const char* name) {
    if (platform::Form* form = formNamed(name))
        form->Show();
}

// An unknown unit matches no page and opens none.
void ShowByUnit(UnitReport report) {
    const int unit = Module1::state().GluUnit;
    for (const Page& page : kPages) {
        if (page.report == report && report != UnitReport::None && page.gluUnit == unit) {
            Show(page.name);
            return;
        }
    }
}

void setUnloadObserver(std::function<void(const QString&)> observer) {
    unloadObserver() = std::move(observer);
}

}  // namespace ChildPages
