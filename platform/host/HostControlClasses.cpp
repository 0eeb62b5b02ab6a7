// The host's controls join the classes a skin may name as soon as the program starts.
// No code calls into this file: the host's library is linked whole (platform/host's
// CMakeLists.txt), so every program that has the host also has this registration, and
// a skin's "ActiveX" and "Flash" elements become these controls wherever it is built.
#include "platform/host/FlashUI.h"
#include "platform/ui/ControlClasses.h"

namespace DuiLib {

namespace {

[[maybe_unused]] const bool kHostClassesRegistered =
    RegisterControlClass(L"ActiveX", MakeControl<CActiveXUI>) &&
    RegisterControlClass(L"Flash", MakeControl<CFlashUI>);

} // namespace

} // namespace DuiLib
