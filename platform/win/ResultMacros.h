#pragma once
// Returns a failed HRESULT from the enclosing function, in one line with the call itself.
#include <windows.h>

#define GS_RETURN_IF_FAILED(expression)                                                            \
    do {                                                                                           \
        const HRESULT gsFailedResult = (expression);                                               \
        if (FAILED(gsFailedResult))                                                                \
            return gsFailedResult;                                                                 \
    } while (false)
