#include "platform/ui/Markup.h"

#include "platform/win/HexDigit.h"
#include "platform/win/WideScan.h"

#include <algorithm>
#include <cwchar>
#include <string_view>

namespace DuiLib {

// One pass over the text. Open elements live on an explicit stack (never the call
// stack), and every search moves the position forward, so the time is linear and no
// input, however deep or long, can exhaust the stack.
class CMarkup::Parser {
public:
    Parser(CMarkup& out, std::wstring_view text) : m_out(out), m_text(text) {}

    bool Run() {
        if (!m_text.empty() && m_text[0] == 0xFEFF)
            m_pos = 1;
        while (m_pos < m_text.size()) {
            if (!(m_text[m_pos] == L'<' ? Markup() : Text()))
                return false;
        }
        if (!m_open.empty())
            return Fail(L"element not closed");
        if (!m_rootClosed)
            return Fail(L"no root element");
        return true;
    }

private:
    struct Open {
        std::size_t index;
        std::wstring pendingSpace; // white space that is text only if no child follows
    };

    static constexpr std::size_t kSliceUnits = 16 * 1024; // 32 KB, well inside the cache

    static bool IsSpace(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; }
    static bool IsNameStart(wchar_t c) {
        return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || c == L'_' || c == L':' ||
               static_cast<unsigned long>(c) >= 0x80;
    }
    static bool IsNameChar(wchar_t c) {
        return IsNameStart(c) || (c >= L'0' && c <= L'9') || c == L'-' || c == L'.';
    }

    bool Fail(const wchar_t* why) {
        m_out.m_error = why;
        m_out.m_errorAt = m_pos;
        return false;
    }
    bool StartsWith(std::wstring_view prefix) const {
        return m_text.substr(m_pos, prefix.size()) == prefix;
    }
    void SkipSpace() {
        while (m_pos < m_text.size() && IsSpace(m_text[m_pos]))
            ++m_pos;
    }
    // Moves past the next occurrence of terminator; false when there is none.
    bool SkipPast(std::wstring_view terminator) {
        std::size_t end = m_text.find(terminator, m_pos);
        if (end == std::wstring_view::npos)
            return false;
        m_pos = end + terminator.size();
        return true;
    }

    bool Markup() {
        if (StartsWith(L"<!--"))
            return SkipPast(L"-->") || Fail(L"comment not closed");
        if (StartsWith(L"<![CDATA["))
            return CData();
        if (StartsWith(L"<?"))
            return SkipPast(L"?>") || Fail(L"processing instruction not closed");
        if (StartsWith(L"<!"))
            return Doctype();
        if (StartsWith(L"</"))
            return EndTag();
        return StartTag();
    }

    bool Doctype() {
        if (!m_open.empty() || m_rootClosed || m_out.IsValid())
            return Fail(L"document type declaration out of place");
        int brackets = 0;
        wchar_t quote = 0;
        for (m_pos += 2; m_pos < m_text.size(); ++m_pos) {
            wchar_t c = m_text[m_pos];
            if (quote)
                quote = c == quote ? 0 : quote;
            else if (c == L'"' || c == L'\'')
                quote = c;
            else if (c == L'[')
                ++brackets;
            else if (c == L']')
                --brackets;
            else if (c == L'>' && brackets <= 0) {
                ++m_pos;
                return true;
            }
        }
        return Fail(L"document type declaration not closed");
    }

    bool CData() {
        if (m_open.empty())
            return Fail(L"character data outside the root element");
        std::size_t start = m_pos + 9;
        std::size_t end = m_text.find(L"]]>", start);
        if (end == std::wstring_view::npos)
            return Fail(L"character data not closed");
        AppendText(m_text.substr(start, end - start), false);
        m_pos = end + 3;
        return true;
    }

    bool ReadName(std::wstring& name) {
        std::size_t start = m_pos;
        if (m_pos >= m_text.size() || !IsNameStart(m_text[m_pos]))
            return false;
        while (m_pos < m_text.size() && IsNameChar(m_text[m_pos]))
            ++m_pos;
        name.assign(m_text.substr(start, m_pos - start));
        return true;
    }

    bool StartTag() {
        if (m_rootClosed)
            return Fail(L"more than one root element");
        if (m_open.size() >= static_cast<std::size_t>(kMaxDepth))
            return Fail(L"elements nested too deeply");
        ++m_pos;
        Element element;
        if (!ReadName(element.name))
            return Fail(L"bad element name");
        element.firstAttribute = m_out.m_attributes.size();
        std::size_t index = AddElement(std::move(element));
        for (;;) {
            bool spaced = m_pos < m_text.size() && IsSpace(m_text[m_pos]);
            SkipSpace();
            if (m_pos >= m_text.size())
                return Fail(L"start tag not closed");
            if (StartsWith(L"/>")) {
                m_pos += 2;
                return CloseElement();
            }
            if (m_text[m_pos] == L'>') {
                ++m_pos;
                return true;
            }
            if (!spaced || !Attribute(index))
                return Fail(L"bad attribute");
        }
    }

    std::size_t AddElement(Element&& element) {
        std::size_t index = m_out.m_nodes.size();
        if (!m_open.empty()) {
            Open& parent = m_open.back();
            parent.pendingSpace.clear();
            element.parent = parent.index;
            Element& p = m_out.m_nodes[parent.index];
            if (p.lastChild == npos)
                p.firstChild = index;
            else
                m_out.m_nodes[p.lastChild].nextSibling = index;
            p.lastChild = index;
        }
        m_out.m_nodes.push_back(std::move(element));
        m_open.push_back(Open{index, {}});
        return index;
    }

    bool Attribute(std::size_t element) {
        CMarkup::Attribute attribute;
        if (!ReadName(attribute.name))
            return false;
        SkipSpace();
        if (m_pos >= m_text.size() || m_text[m_pos] != L'=')
            return false;
        ++m_pos;
        SkipSpace();
        if (m_pos >= m_text.size() || (m_text[m_pos] != L'"' && m_text[m_pos] != L'\''))
            return false;
        wchar_t quote = m_text[m_pos++];
        std::size_t end = m_text.find(quote, m_pos);
        if (end == std::wstring_view::npos)
            return false;
        std::wstring_view raw = m_text.substr(m_pos, end - m_pos);
        if (raw.find(L'<') != std::wstring_view::npos || !Decode(raw, attribute.value))
            return false;
        m_pos = end + 1;
        m_out.m_attributes.push_back(std::move(attribute));
        ++m_out.m_nodes[element].attributeCount;
        return true;
    }

    bool EndTag() {
        m_pos += 2;
        std::wstring name;
        if (!ReadName(name))
            return Fail(L"bad end tag");
        SkipSpace();
        if (m_pos >= m_text.size() || m_text[m_pos] != L'>')
            return Fail(L"end tag not closed");
        ++m_pos;
        if (m_open.empty() || m_out.m_nodes[m_open.back().index].name != name)
            return Fail(L"end tag does not match");
        return CloseElement();
    }

    bool CloseElement() {
        Open& open = m_open.back();
        Element& element = m_out.m_nodes[open.index];
        if (element.firstChild == npos)
            element.value += open.pendingSpace;
        m_open.pop_back();
        m_rootClosed = m_open.empty();
        return true;
    }

    bool Text() {
        // One pass finds where the text ends when it holds no reference, as a long
        // text usually does; only from a first '&' on is the end looked for apart.
        const std::wstring_view slice = m_text.substr(0, m_pos + kSliceUnits);
        std::size_t end = gs::FindEitherWide(slice, L'<', L'&', m_pos);
        if (end == std::wstring_view::npos) {
            if (!m_open.empty() && slice.size() < m_text.size() && !IsSpace(m_text[m_pos]))
                return LongText(slice.size());
            end = std::min(gs::FindEitherWide(m_text, L'<', L'&', slice.size()), m_text.size());
        }
        const std::size_t plainRun = end - m_pos;
        if (end < m_text.size() && m_text[end] == L'&')
            end = std::min(gs::FindWide(m_text, L'<', end), m_text.size());
        std::wstring_view raw = m_text.substr(m_pos, end - m_pos);
        const bool blank = std::all_of(raw.begin(), raw.end(), IsSpace);
        if (m_open.empty()) {
            if (!blank)
                return Fail(L"text outside the root element");
            m_pos = end;
            return true;
        }
        if (blank) {
            AppendText(raw, true);
        } else {
            // Decoded straight into the element's text: a long value is held once.
            std::wstring& value = TextOfOpenElement();
            if (!Decode(raw, value, plainRun))
                return Fail(L"bad character reference");
        }
        m_pos = end;
        return true;
    }

    // A text that runs a slice long without markup or reference, as a whole file's does,
    // is copied as it is scanned, a slice at a time, and so read from memory once; the
    // units up to `scanned` are already known to be plain. It takes room for the rest of
    // the document first and gives back what is much too much.
    bool LongText(std::size_t scanned) {
        std::wstring& value = TextOfOpenElement();
        value.reserve(value.size() + (m_text.size() - m_pos));
        value.append(m_text.substr(m_pos, scanned - m_pos));
        std::size_t stop = scanned;
        while (stop < m_text.size() && m_text[stop] != L'<' && m_text[stop] != L'&') {
            const std::wstring_view slice = m_text.substr(0, stop + kSliceUnits);
            const std::size_t next =
                std::min(gs::FindEitherWide(slice, L'<', L'&', stop), slice.size());
            value.append(m_text.substr(stop, next - stop));
            stop = next;
        }
        const std::size_t end = std::min(gs::FindWide(m_text, L'<', stop), m_text.size());
        if (!Decode(m_text.substr(stop, end - stop), value))
            return Fail(L"bad character reference");
        if (value.capacity() - value.size() > value.size() / 8)
            value.shrink_to_fit();
        m_pos = end;
        return true;
    }

    // The text of the innermost open element, with the white space held back for it.
    std::wstring& TextOfOpenElement() {
        Open& open = m_open.back();
        std::wstring& value = m_out.m_nodes[open.index].value;
        value += open.pendingSpace;
        open.pendingSpace.clear();
        return value;
    }

    void AppendText(std::wstring_view text, bool blank) {
        Open& open = m_open.back();
        if (blank) {
            open.pendingSpace += text;
            return;
        }
        TextOfOpenElement() += text;
    }

    // Resolves the five named entities and numeric references; any other '&' stays as
    // it is. A numeric reference to no character is an error. The first `plainRun`
    // units are known to hold no '&'.
    static bool Decode(std::wstring_view raw, std::wstring& out, std::size_t plainRun = 0) {
        // Exactly the room a first text needs; geometric growth for later pieces, which
        // would otherwise be copied once per piece.
        if (out.capacity() < out.size() + raw.size())
            out.reserve(std::max(out.size() + raw.size(), 2 * out.size()));
        for (std::size_t i = 0; i < raw.size(); ++i) {
            if (raw[i] != L'&') {
                // The run up to the next reference goes over in one piece.
                const std::size_t amp =
                    std::min(gs::FindWide(raw, L'&', std::max(i, plainRun)), raw.size());
                out.append(raw.substr(i, amp - i));
                i = amp - 1;
                continue;
            }
            // References are short: looking further would make runs of '&' quadratic.
            std::size_t semi = raw.substr(0, i + 13).find(L';', i + 1);
            if (semi == std::wstring_view::npos) {
                out += L'&';
                continue;
            }
            std::wstring_view name = raw.substr(i + 1, semi - i - 1);
            if (!name.empty() && name[0] == L'#') {
                if (!AppendCodePoint(name.substr(1), out))
                    return false;
            } else if (wchar_t named = NamedEntity(name)) {
                out += named;
            } else {
                out += L'&';
                continue;
            }
            i = semi;
        }
        return true;
    }

    static wchar_t NamedEntity(std::wstring_view name) {
        if (name == L"lt")
            return L'<';
        if (name == L"gt")
            return L'>';
        if (name == L"amp")
            return L'&';
        if (name == L"quot")
            return L'"';
        if (name == L"apos")
            return L'\'';
        return 0;
    }

    static bool AppendCodePoint(std::wstring_view digits, std::wstring& out) {
        unsigned base = 10;
        if (!digits.empty() && (digits[0] == L'x' || digits[0] == L'X')) {
            base = 16;
            digits.remove_prefix(1);
        }
        if (digits.empty())
            return false;
        unsigned long code = 0;
        for (wchar_t c : digits) {
            const int digit = gs::HexDigitValue(c);
            if (digit < 0 || static_cast<unsigned>(digit) >= base)
                return false;
            code = code * base + static_cast<unsigned>(digit);
            if (code > 0x10FFFF)
                return false;
        }
        if (code == 0 || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        if (sizeof(wchar_t) == 2 && code > 0xFFFF) {
            code -= 0x10000;
            out += static_cast<wchar_t>(0xD800 + (code >> 10));
            out += static_cast<wchar_t>(0xDC00 + (code & 0x3FF));
        } else {
            out += static_cast<wchar_t>(code);
        }
        return true;
    }

    CMarkup& m_out;
    std::wstring_view m_text;
    std::size_t m_pos = 0;
    std::vector<Open> m_open;
    bool m_rootClosed = false;
};

bool CMarkup::Load(const wchar_t* text) {
    return Load(gs::WideView(text));
}

bool CMarkup::Load(const wchar_t* text, std::size_t length) {
    std::wstring_view view(text ? text : L"", text ? length : 0);
    if (std::size_t nul = gs::FindWide(view, L'\0'); nul != std::wstring_view::npos) {
        Release();
        m_error = L"not a text";
        m_errorAt = nul;
        return false;
    }
    return Load(view);
}

bool CMarkup::Load(std::wstring_view text) {
    Release();
    if (Parser(*this, text).Run())
        return true;
    std::wstring error = std::move(m_error);
    std::size_t at = m_errorAt;
    Release();
    m_error = std::move(error);
    m_errorAt = at;
    return false;
}

void CMarkup::Release() {
    m_nodes.clear();
    m_nodes.shrink_to_fit();
    m_attributes.clear();
    m_attributes.shrink_to_fit();
    m_error.clear();
    m_errorAt = 0;
}

std::wstring CMarkup::TakeValue(const CMarkupNode& node) {
    if (node.m_owner != this)
        return {};
    return std::move(m_nodes[node.m_index].value);
}

CMarkupNode CMarkup::GetRoot() const {
    return IsValid() ? CMarkupNode(this, 0) : CMarkupNode();
}

CMarkupNode CMarkupNode::GetParent() const {
    if (!m_owner || m_owner->m_nodes[m_index].parent == CMarkup::npos)
        return {};
    return {m_owner, m_owner->m_nodes[m_index].parent};
}

CMarkupNode CMarkupNode::GetSibling() const {
    if (!m_owner || m_owner->m_nodes[m_index].nextSibling == CMarkup::npos)
        return {};
    return {m_owner, m_owner->m_nodes[m_index].nextSibling};
}

CMarkupNode CMarkupNode::GetChild() const {
    if (!m_owner || m_owner->m_nodes[m_index].firstChild == CMarkup::npos)
        return {};
    return {m_owner, m_owner->m_nodes[m_index].firstChild};
}

CMarkupNode CMarkupNode::GetChild(const wchar_t* name) const {
    if (!name)
        return {};
    for (CMarkupNode child = GetChild(); child.IsValid(); child = child.GetSibling()) {
        if (m_owner->m_nodes[child.m_index].name == name)
            return child;
    }
    return {};
}

const wchar_t* CMarkupNode::GetName() const {
    return m_owner ? m_owner->m_nodes[m_index].name.c_str() : nullptr;
}

const wchar_t* CMarkupNode::GetValue() const {
    return m_owner ? m_owner->m_nodes[m_index].value.c_str() : nullptr;
}

int CMarkupNode::GetAttributeCount() const {
    return m_owner ? static_cast<int>(m_owner->m_nodes[m_index].attributeCount) : 0;
}

const wchar_t* CMarkupNode::GetAttributeName(int index) const {
    if (index < 0 || index >= GetAttributeCount())
        return nullptr;
    const auto& element = m_owner->m_nodes[m_index];
    return m_owner->m_attributes[element.firstAttribute + index].name.c_str();
}

const wchar_t* CMarkupNode::GetAttributeValue(int index) const {
    if (index < 0 || index >= GetAttributeCount())
        return nullptr;
    const auto& element = m_owner->m_nodes[m_index];
    return m_owner->m_attributes[element.firstAttribute + index].value.c_str();
}

bool CMarkupNode::HasAttribute(const wchar_t* name) const {
    for (int i = 0; name && i < GetAttributeCount(); ++i) {
        if (std::wcscmp(GetAttributeName(i), name) == 0)
            return true;
    }
    return false;
}

const wchar_t* CMarkupNode::GetAttributeValue(const wchar_t* name) const {
    if (!m_owner)
        return nullptr;
    for (int i = 0; name && i < GetAttributeCount(); ++i) {
        if (std::wcscmp(GetAttributeName(i), name) == 0)
            return GetAttributeValue(i);
    }
    return L"";
}

} // namespace DuiLib
