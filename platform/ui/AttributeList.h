#pragma once
// The attribute list of a skin's Default element: `key="value"` or `key='value'` pairs
// separated by blanks, read as one whole. Portable (no Windows header), so that it also
// builds natively for the fuzzer.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace DuiLib {

struct AttributePair {
    std::wstring name;
    std::wstring value;
    bool operator==(const AttributePair&) const = default;
};

using AttributeList = std::vector<AttributePair>;

// The pairs in order; nothing at all for a list that does not read to its end (an
// unterminated quote, a key without `=` and a quoted value, a pair not followed by a
// blank). Keys are letters, digits, `_`, `-`, `.` and `:`; blank text is an empty list.
std::optional<AttributeList> ParseAttributeList(std::wstring_view text);

// The canonical form: pairs separated by one space, each value in double quotes unless
// it holds one, then in single quotes.
std::wstring WriteAttributeList(const AttributeList& list);

} // namespace DuiLib
