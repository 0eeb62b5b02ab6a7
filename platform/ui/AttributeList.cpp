#include "platform/ui/AttributeList.h"

namespace DuiLib {

namespace {

bool IsBlank(wchar_t ch) {
    return ch == L' ' || ch == L'\t' || ch == L'\r' || ch == L'\n';
}

bool IsKeyCharacter(wchar_t ch) {
    return (ch >= L'a' && ch <= L'z') || (ch >= L'A' && ch <= L'Z') || (ch >= L'0' && ch <= L'9') ||
           ch == L'_' || ch == L'-' || ch == L'.' || ch == L':';
}

// Reads the text one pair at a time; `at` never passes the end.
class ListReader {
public:
    explicit ListReader(std::wstring_view text) : m_text(text) {}

    std::optional<AttributeList> ReadAll() {
        AttributeList list;
        SkipBlanks();
        while (m_at < m_text.size()) {
            AttributePair pair;
            if (!ReadKey(pair.name) || !Take(L'=') || !ReadQuoted(pair.value))
                return std::nullopt;
            list.push_back(std::move(pair));
            if (m_at < m_text.size() && !IsBlank(m_text[m_at]))
                return std::nullopt;
            SkipBlanks();
        }
        return list;
    }

private:
    void SkipBlanks() {
        while (m_at < m_text.size() && IsBlank(m_text[m_at]))
            ++m_at;
    }

    bool Take(wchar_t ch) {
        if (m_at >= m_text.size() || m_text[m_at] != ch)
            return false;
        ++m_at;
        return true;
    }

    bool ReadKey(std::wstring& key) {
        size_t start = m_at;
        while (m_at < m_text.size() && IsKeyCharacter(m_text[m_at]))
            ++m_at;
        key.assign(m_text.substr(start, m_at - start));
        return !key.empty();
    }

    bool ReadQuoted(std::wstring& value) {
        if (m_at >= m_text.size() || (m_text[m_at] != L'"' && m_text[m_at] != L'\''))
            return false;
        wchar_t quote = m_text[m_at++];
        size_t end = m_text.find(quote, m_at);
        if (end == std::wstring_view::npos)
            return false;
        value.assign(m_text.substr(m_at, end - m_at));
        m_at = end + 1;
        return true;
    }

    std::wstring_view m_text;
    size_t m_at = 0;
};

} // namespace

std::optional<AttributeList> ParseAttributeList(std::wstring_view text) {
    return ListReader(text).ReadAll();
}

std::wstring WriteAttributeList(const AttributeList& list) {
    std::wstring text;
    for (const AttributePair& pair : list) {
        if (!text.empty())
            text += L' ';
        wchar_t quote = pair.value.find(L'"') == std::wstring::npos ? L'"' : L'\'';
        text += pair.name + L'=' + quote + pair.value + quote;
    }
    return text;
}

} // namespace DuiLib
