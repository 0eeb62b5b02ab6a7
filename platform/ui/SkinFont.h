#pragma once
// A skin's `<Font name size bold italic underline default/>` under its Window element:
// the next of the window's fonts, and with default="true" also its default font.
#include "platform/ui/Markup.h"

namespace DuiLib {

class CPaintManagerUI;

void AddSkinFont(const CMarkupNode& node, CPaintManagerUI& manager);

} // namespace DuiLib
