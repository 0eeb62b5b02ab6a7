#pragma once
// A small XML reader for skins, settings and the movie's invoke requests.
//
// Portable: no Windows header and no assumption about the width of wchar_t, so that it
// also builds natively for the fuzzer (LoadFromFile lives in MarkupFile.cpp). The parser
// runs in one pass with an explicit stack, in time linear in the input, and refuses
// documents nested deeper than kMaxDepth; anything it cannot read leaves it invalid.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace DuiLib {

class CMarkup;

// A view of one element of a loaded CMarkup; valid while that markup stays loaded.
class CMarkupNode {
public:
    CMarkupNode() = default;

    bool IsValid() const { return m_owner != nullptr; }
    CMarkupNode GetParent() const;
    CMarkupNode GetSibling() const;                  // next sibling element
    CMarkupNode GetChild() const;                    // first child element
    CMarkupNode GetChild(const wchar_t* name) const; // first child element of that name
    bool HasChildren() const { return GetChild().IsValid(); }

    // Null for an invalid node.
    const wchar_t* GetName() const;
    // The element's own text, entities resolved; "" when it has none, null for an
    // invalid node. White space between child elements is not part of it.
    const wchar_t* GetValue() const;

    bool HasAttributes() const { return GetAttributeCount() > 0; }
    bool HasAttribute(const wchar_t* name) const;
    int GetAttributeCount() const;
    // By position: null when out of range.
    const wchar_t* GetAttributeName(int index) const;
    const wchar_t* GetAttributeValue(int index) const;
    // By name: "" when the element has no such attribute, null for an invalid node.
    const wchar_t* GetAttributeValue(const wchar_t* name) const;

private:
    friend class CMarkup;
    CMarkupNode(const CMarkup* owner, std::size_t index) : m_owner(owner), m_index(index) {}

    const CMarkup* m_owner = nullptr;
    std::size_t m_index = 0;
};

class CMarkup {
public:
    static constexpr int kMaxDepth = 256;
    // Encodings of LoadFromFile; a byte-order mark in the file overrides the selector.
    enum {
        XMLFILE_ENCODING_UTF8 = 0,
        XMLFILE_ENCODING_UNICODE = 1,
        XMLFILE_ENCODING_ANSI = 2,
    };

    CMarkup() = default;
    explicit CMarkup(const wchar_t* text) { Load(text); }

    // Parses a whole document; false (and an invalid markup) when it is not well formed.
    // When memory runs out it throws std::bad_alloc, and the elements read until then
    // stay readable, so that a caller can still tell what the document was.
    bool Load(const wchar_t* text);
    bool Load(const wchar_t* text, std::size_t length);
    // A text already measured, read as it stands.
    bool Load(std::wstring_view text);
    // Reads the resource path followed by name: 0 UTF-8, 1 UTF-16 LE, 2 ANSI code page.
    bool LoadFromFile(const wchar_t* name, int encoding = XMLFILE_ENCODING_UTF8);
    // Parses bytes in one of the LoadFromFile encodings.
    bool LoadFromMem(const unsigned char* data, std::size_t size,
                     int encoding = XMLFILE_ENCODING_UTF8);
    void Release();

    bool IsValid() const { return !m_nodes.empty(); }
    CMarkupNode GetRoot() const;
    // Moves a node's text out of the markup, which keeps an empty text in its place.
    std::wstring TakeValue(const CMarkupNode& node);
    // Where parsing stopped and why, for diagnostics.
    const wchar_t* GetLastErrorMessage() const { return m_error.c_str(); }
    std::size_t GetLastErrorLocation() const { return m_errorAt; }

private:
    friend class CMarkupNode;
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

    struct Attribute {
        std::wstring name;
        std::wstring value;
    };
    struct Element {
        std::wstring name;
        std::wstring value;
        std::size_t parent = npos;
        std::size_t firstChild = npos;
        std::size_t lastChild = npos;
        std::size_t nextSibling = npos;
        std::size_t firstAttribute = 0;
        std::size_t attributeCount = 0;
    };
    class Parser;

    std::vector<Element> m_nodes;
    std::vector<Attribute> m_attributes;
    std::wstring m_error;
    std::size_t m_errorAt = 0;
};

} // namespace DuiLib
