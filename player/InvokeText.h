#pragma once
// Reading and writing the external-interface invoke text:
// <invoke name="NAME" returntype="xml"><arguments>...</arguments></invoke>.
// The reader is tolerant: malformed text gives what could be recognised (an empty
// name, fewer arguments), never an error or a read past the end. It reads in place: an
// argument is a view into the text, which may hold a whole file.
#include "platform/win/Handles.h"

#include <string>
#include <string_view>
#include <vector>

namespace player {

struct InvokeArgument {
    std::wstring_view element; // "string", "number", "true", "array", ...
    std::wstring_view inner;   // the raw text between the tags, entities still escaped
    std::wstring Text() const; // inner with the XML entities decoded
    // The whole element again, as pieces that refer to this argument's text.
    void AppendXml(std::vector<std::wstring_view>& pieces) const;
};

struct InvokeRequest {
    std::wstring name;
    std::vector<InvokeArgument> arguments;
};

InvokeRequest ParseInvoke(std::wstring_view text);

std::wstring EscapeXml(std::wstring_view text);
std::wstring UnescapeXml(std::wstring_view text);

// <invoke name="NAME" returntype="xml"><arguments>ELEMENTS</arguments></invoke>, as one
// string of its exact size: an element passed on may be a whole file.
gs::UniqueBstr BuildInvoke(std::wstring_view name,
                           const std::vector<std::wstring_view>& elementPieces);

} // namespace player
