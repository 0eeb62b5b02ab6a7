#include "platform/ui/ControlClasses.h"

#include <cstddef>
#include <cwchar>

namespace DuiLib {

namespace {

struct RegisteredClass {
    const wchar_t* name;
    ControlMaker make;
};

// Room for the host's two classes and a few more; nothing is ever removed.
constexpr size_t kClassCapacity = 8;

struct ClassTable {
    RegisteredClass classes[kClassCapacity];
    size_t count;
};

// Zero-initialised before any start-up code runs, whichever file registers first.
ClassTable& Table() {
    static ClassTable table{};
    return table;
}

ControlMaker FindMaker(const wchar_t* className) {
    const ClassTable& table = Table();
    for (size_t i = 0; className && i < table.count; ++i) {
        if (std::wcscmp(table.classes[i].name, className) == 0)
            return table.classes[i].make;
    }
    return nullptr;
}

} // namespace

bool RegisterControlClass(const wchar_t* className, ControlMaker make) noexcept {
    ClassTable& table = Table();
    if (!className || !make || FindMaker(className) || table.count == kClassCapacity)
        return false;
    table.classes[table.count++] = {className, make};
    return true;
}

CControlUI* CreateRegisteredControl(const wchar_t* className) {
    ControlMaker make = FindMaker(className);
    return make ? make() : nullptr;
}

} // namespace DuiLib
