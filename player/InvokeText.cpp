#include "player/InvokeText.h"

#include "platform/win/WideScan.h"

#include <algorithm>

namespace player {

namespace {

bool IsNameChar(wchar_t c) {
    return c != L'>' && c != L'/' && c != L' ' && c != L'\t' && c != L'\r' && c != L'\n';
}

// The value of attribute `name` inside the start tag text `tag`, or empty.
std::wstring AttributeValue(std::wstring_view tag, std::wstring_view name) {
    for (size_t at = tag.find(name); at != std::wstring_view::npos; at = tag.find(name, at + 1)) {
        if (at == 0 || IsNameChar(tag[at - 1]))
            continue;
        size_t pos = at + name.size();
        while (pos < tag.size() && tag[pos] == L' ')
            ++pos;
        if (pos >= tag.size() || tag[pos] != L'=')
            continue;
        ++pos;
        while (pos < tag.size() && tag[pos] == L' ')
            ++pos;
        if (pos >= tag.size() || (tag[pos] != L'"' && tag[pos] != L'\''))
            continue;
        size_t end = tag.find(tag[pos], pos + 1);
        if (end == std::wstring_view::npos)
            return {};
        return UnescapeXml(tag.substr(pos + 1, end - pos - 1));
    }
    return {};
}

std::wstring_view ElementName(std::wstring_view text, size_t open) {
    size_t end = open + 1;
    while (end < text.size() && IsNameChar(text[end]))
        ++end;
    return text.substr(open + 1, end - open - 1);
}

// Finds the end of the element that starts at `open` (a '<'), counting nested
// elements of the same name. Returns the position after it and sets `inner`.
size_t SkipElement(std::wstring_view text, size_t open, std::wstring_view name,
                   std::wstring_view& inner) {
    size_t close = text.find(L'>', open);
    if (close == std::wstring_view::npos)
        return text.size();
    if (text[close - 1] == L'/') {
        inner = {};
        return close + 1;
    }
    size_t depth = 1;
    size_t pos = close + 1;
    while (depth > 0) {
        size_t next = gs::FindWide(text, L'<', pos);
        if (next == std::wstring_view::npos) {
            inner = text.substr(close + 1);
            return text.size();
        }
        bool closing = next + 1 < text.size() && text[next + 1] == L'/';
        std::wstring_view tagName = ElementName(text, closing ? next + 1 : next);
        size_t tagEnd = text.find(L'>', next);
        if (tagEnd == std::wstring_view::npos)
            tagEnd = text.size() - 1;
        if (tagName == name) {
            if (closing)
                --depth;
            else if (text[tagEnd - 1] != L'/')
                ++depth;
        }
        if (depth == 0)
            inner = text.substr(close + 1, next - close - 1);
        pos = tagEnd + 1;
    }
    return pos;
}

std::vector<InvokeArgument> ParseArguments(std::wstring_view text) {
    std::vector<InvokeArgument> arguments;
    size_t start = text.find(L"<arguments");
    if (start == std::wstring_view::npos)
        return arguments;
    size_t pos = text.find(L'>', start);
    if (pos == std::wstring_view::npos || text[pos - 1] == L'/')
        return arguments;
    ++pos;
    while (pos < text.size()) {
        size_t open = text.find(L'<', pos);
        if (open == std::wstring_view::npos || text.substr(open, 2) == L"</")
            break;
        std::wstring_view name = ElementName(text, open);
        std::wstring_view inner;
        pos = SkipElement(text, open, name, inner);
        arguments.push_back({name, inner});
    }
    return arguments;
}

} // namespace

std::wstring InvokeArgument::Text() const {
    return UnescapeXml(inner);
}

void InvokeArgument::AppendXml(std::vector<std::wstring_view>& pieces) const {
    if (inner.empty() && element != L"string")
        pieces.insert(pieces.end(), {L"<", element, L"/>"});
    else
        pieces.insert(pieces.end(), {L"<", element, L">", inner, L"</", element, L">"});
}

InvokeRequest ParseInvoke(std::wstring_view text) {
    InvokeRequest request;
    size_t start = text.find(L"<invoke");
    if (start == std::wstring_view::npos)
        return request;
    size_t end = text.find(L'>', start);
    std::wstring_view tag = text.substr(start, end == std::wstring_view::npos ? end : end - start);
    request.name = AttributeValue(tag, L"name");
    request.arguments = ParseArguments(text.substr(start));
    return request;
}

std::wstring EscapeXml(std::wstring_view text) {
    std::wstring out;
    out.reserve(text.size());
    for (wchar_t c : text) {
        switch (c) {
        case L'&':
            out += L"&amp;";
            break;
        case L'<':
            out += L"&lt;";
            break;
        case L'>':
            out += L"&gt;";
            break;
        case L'"':
            out += L"&quot;";
            break;
        case L'\'':
            out += L"&apos;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::wstring UnescapeXml(std::wstring_view text) {
    static constexpr std::pair<std::wstring_view, wchar_t> entities[] = {
        {L"&amp;", L'&'}, {L"&lt;", L'<'}, {L"&gt;", L'>'}, {L"&quot;", L'"'}, {L"&apos;", L'\''}};
    std::wstring out;
    out.reserve(text.size());
    for (size_t pos = 0; pos < text.size();) {
        bool replaced = false;
        for (const auto& [entity, character] : entities) {
            if (text.substr(pos, entity.size()) == entity) {
                out += character;
                pos += entity.size();
                replaced = true;
                break;
            }
        }
        if (!replaced)
            out += text[pos++];
    }
    return out;
}

gs::UniqueBstr BuildInvoke(std::wstring_view name,
                           const std::vector<std::wstring_view>& elementPieces) {
    const std::wstring head =
        L"<invoke name=\"" + EscapeXml(name) + L"\" returntype=\"xml\"><arguments>";
    const std::wstring_view tail = L"</arguments></invoke>";
    size_t length = head.size() + tail.size();
    for (std::wstring_view piece : elementPieces)
        length += piece.size();
    gs::UniqueBstr text(::SysAllocStringLen(nullptr, static_cast<UINT>(length)));
    if (!text)
        return text;
    wchar_t* at = std::copy(head.begin(), head.end(), text.get());
    for (std::wstring_view piece : elementPieces)
        at = std::copy(piece.begin(), piece.end(), at);
    *std::copy(tail.begin(), tail.end(), at) = L'\0';
    return text;
}

} // namespace player
