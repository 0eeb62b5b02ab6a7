#pragma once
// Reading the arguments of an IDispatch::Invoke call: DISPPARAMS lists them last first,
// and a caller may pass any type that converts (a BSTR by reference, a number as text).
#include "platform/Handles.h"

namespace gs {

// The argument at `index` in call order, converted to `type` into `out`.
inline HRESULT DispatchArgument(const DISPPARAMS& params, UINT index, VARTYPE type,
                                UniqueVariant& out) {
    if (index >= params.cArgs || !params.rgvarg)
        return DISP_E_BADPARAMCOUNT;
    return ::VariantChangeType(out.put(), &params.rgvarg[params.cArgs - 1 - index], 0, type);
}

} // namespace gs
