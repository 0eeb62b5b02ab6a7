#pragma once
// The control classes a skin may name beyond the builder's own: another room of the
// platform (the ActiveX host) adds its classes here when the program starts, so that
// the builder creates them without knowing them. The builder's own classes come first.
namespace DuiLib {

class CControlUI;

using ControlMaker = CControlUI* (*)();

template <typename Control> CControlUI* MakeControl() {
    return new Control;
}

// False when the name is already registered or the table is full. Made for start-up,
// when nothing may throw yet: the table is fixed and needs no allocation.
bool RegisterControlClass(const wchar_t* className, ControlMaker make) noexcept;

// A new control of a registered class; null for a name nobody registered.
CControlUI* CreateRegisteredControl(const wchar_t* className);

} // namespace DuiLib
