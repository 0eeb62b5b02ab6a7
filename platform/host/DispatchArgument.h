#pragma once
// Reading the arguments of an IDispatch::Invoke call: DISPPARAMS lists them last first,
// and a caller may pass any type that converts (a BSTR by reference, a number as text).
// A long string is better read in place.
#include "platform/win/Handles.h"

namespace gs {

// The argument at `index` in call order, converted to `type` into `out`.
inline HRESULT DispatchArgument(const DISPPARAMS& params, UINT index, VARTYPE type,
                                UniqueVariant& out) {
    if (index >= params.cArgs || !params.rgvarg)
        return DISP_E_BADPARAMCOUNT;
    return ::VariantChangeType(out.put(), &params.rgvarg[params.cArgs - 1 - index], 0, type);
}

// The argument at `index` when it is a string already (or a reference to one): read where
// it lies, without the copy that a conversion makes. Null for any other type.
inline const BSTR* BorrowedString(const DISPPARAMS& params, UINT index) {
    if (index >= params.cArgs || !params.rgvarg)
        return nullptr;
    const VARIANT& argument = params.rgvarg[params.cArgs - 1 - index];
    if (argument.vt == VT_BSTR)
        return &argument.bstrVal;
    if (argument.vt == (VT_BSTR | VT_BYREF))
        return argument.pbstrVal;
    return nullptr;
}

} // namespace gs
