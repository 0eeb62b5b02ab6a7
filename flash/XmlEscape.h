#pragma once
// Texts placed into a request travel as XML character data: the five characters that
// XML gives a meaning are written as their named entities, so that a path or a user
// name holding them still gives a well-formed request. Portable: no Windows header.
#include "platform/ui/DuiString.h"

namespace gs {

DuiLib::CDuiString XmlEscape(const wchar_t* text);

} // namespace gs
