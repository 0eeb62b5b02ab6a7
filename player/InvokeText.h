#pragma once
// Reading and writing the external-interface invoke text:
// <invoke name="NAME" returntype="xml"><arguments>...</arguments></invoke>.
// The reader is tolerant: malformed text gives what could be recognised (an empty
// name, fewer arguments), never an error or a read past the end.
#include <string>
#include <string_view>
#include <vector>

namespace player {

struct InvokeArgument {
    std::wstring element;      // "string", "number", "true", "array", ...
    std::wstring inner;        // the raw text between the tags, entities still escaped
    std::wstring Text() const; // inner with the XML entities decoded
    std::wstring Xml() const;  // the whole element again
};

struct InvokeRequest {
    std::wstring name;
    std::vector<InvokeArgument> arguments;
};

InvokeRequest ParseInvoke(std::wstring_view text);

std::wstring EscapeXml(std::wstring_view text);
std::wstring UnescapeXml(std::wstring_view text);

// <invoke name="NAME" returntype="xml"><arguments>ELEMENTS</arguments></invoke>
std::wstring BuildInvoke(std::wstring_view name, std::wstring_view argumentElements);

} // namespace player
