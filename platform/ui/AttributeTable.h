#pragma once
// Skin attributes as data: each class keeps one table whose rows name an attribute, the
// reader of its value form (UIAttributes.h) and the setter the value goes to. A value
// that does not read leaves the setter uncalled, so the default stays.
#include <cwchar>
#include <functional>

#include "platform/ui/UIAttributes.h"

namespace DuiLib {

template <typename Owner> struct AttributeRow {
    const wchar_t* name;
    void (*apply)(Owner& owner, LPCTSTR value);
};

namespace attribute_detail {

template <typename Reader> struct ReaderValue;
template <typename Value> struct ReaderValue<bool (*)(LPCTSTR, Value&)> { using Type = Value; };

template <typename Setter> struct SetterOwner;
template <typename Owner, typename Value> struct SetterOwner<void (Owner::*)(Value)> {
    using Type = Owner;
};

template <auto Read, auto Set>
void ReadAndSet(typename SetterOwner<decltype(Set)>::Type& owner, LPCTSTR text) {
    typename ReaderValue<decltype(Read)>::Type value{};
    if (Read(text, value))
        std::invoke(Set, owner, value);
}

} // namespace attribute_detail

// A row: the attribute `name`, read by Read (bool(LPCTSTR, Value&)) and given to the
// member function Set (void(Value)).
template <auto Read, auto Set> constexpr auto AttributeRowOf(const wchar_t* name) {
    using Owner = typename attribute_detail::SetterOwner<decltype(Set)>::Type;
    return AttributeRow<Owner>{name, &attribute_detail::ReadAndSet<Read, Set>};
}

// Applies the row named `name`; false when the table has none, so that the caller can
// offer the attribute to its base class.
template <typename Owner, typename Row, size_t N>
bool ApplyAttributeRow(const Row (&rows)[N], Owner& owner, LPCTSTR name, LPCTSTR value) {
    if (!name || !value)
        return false;
    for (const Row& row : rows) {
        if (std::wcscmp(row.name, name) == 0) {
            row.apply(owner, value);
            return true;
        }
    }
    return false;
}

} // namespace DuiLib
