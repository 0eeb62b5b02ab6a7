// The encoding an XML declaration names, read from the raw bytes before they are text:
// a declaration is ASCII in every encoding this reader knows.
#include "platform/ui/MarkupDecode.h"

#include <cstring>
#include <string_view>

namespace DuiLib {

namespace {

// No declaration runs longer than this; the search for its end stops there.
constexpr std::size_t kDeclarationLimit = 256;

struct NamedCodePage {
    std::string_view name;
    unsigned codePage;
};

constexpr NamedCodePage kCodePages[] = {
    {"utf-8", 65001},       {"gbk", 936},           {"gb2312", 936},        {"gb18030", 936},
    {"big5", 950},          {"shift_jis", 932},     {"iso-8859-1", 28591},  {"windows-1250", 1250},
    {"windows-1251", 1251}, {"windows-1252", 1252}, {"windows-1253", 1253}, {"windows-1254", 1254},
    {"windows-1255", 1255}, {"windows-1256", 1256}, {"windows-1257", 1257}, {"windows-1258", 1258},
};

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view SkipBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    return text;
}

// The quoted value after `encoding`, blanks and '=' allowed around it; empty when the
// declaration has none.
std::string_view EncodingValue(std::string_view declaration) {
    for (std::size_t at = declaration.find("encoding"); at != declaration.npos;
         at = declaration.find("encoding", at + 1)) {
        std::string_view rest = SkipBlanks(declaration.substr(at + 8));
        if (rest.empty() || rest.front() != '=')
            continue;
        rest = SkipBlanks(rest.substr(1));
        if (rest.empty() || (rest.front() != '"' && rest.front() != '\''))
            continue;
        const std::size_t end = rest.find(rest.front(), 1);
        if (end != rest.npos)
            return rest.substr(1, end - 1);
    }
    return {};
}

bool SameLetters(std::string_view name, std::string_view known) {
    if (name.size() != known.size())
        return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char c = name[i] >= 'A' && name[i] <= 'Z' ? static_cast<char>(name[i] + 32) : name[i];
        if (c != known[i])
            return false;
    }
    return true;
}

} // namespace

unsigned DeclaredCodePage(const unsigned char* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data),
                                 size < kDeclarationLimit ? size : kDeclarationLimit);
    const std::size_t end = bytes.find("?>");
    if (!bytes.starts_with("<?xml") || end == bytes.npos ||
        (bytes.size() > 5 && !IsBlank(bytes[5])))
        return 0;
    const std::string_view name = EncodingValue(bytes.substr(5, end - 5));
    for (const NamedCodePage& known : kCodePages) {
        if (SameLetters(name, known.name))
            return known.codePage;
    }
    return 0;
}

} // namespace DuiLib
