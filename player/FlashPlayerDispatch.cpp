// IDispatch for scripting hosts: the members a host needs to load a movie and talk to
// it (Movie, AllowScriptAccess, FlashVars, CallFunction, SetReturnValue,
// DisableLocalSecurity, SetVariable, GetVariable) and the read-only ReadyState and
// FlashVersion. There is no type library; names resolve through the table below.
#include "player/FlashPlayer.h"

#include "platform/host/DispatchArgument.h"
#include "platform/win/ResultMacros.h"

namespace player {

namespace flash = gs::flash;

namespace {

struct Member {
    const wchar_t* name;
    DISPID id;
};

constexpr Member Members[] = {
    {L"ReadyState", flash::DISPID_ReadyState},
    {L"Movie", flash::DISPID_Movie},
    {L"FlashVersion", flash::DISPID_FlashVersion},
    {L"SetVariable", flash::DISPID_SetVariable},
    {L"GetVariable", flash::DISPID_GetVariable},
    {L"FlashVars", flash::DISPID_FlashVars},
    {L"AllowScriptAccess", flash::DISPID_AllowScriptAccess},
    {L"CallFunction", flash::DISPID_CallFunction},
    {L"SetReturnValue", flash::DISPID_SetReturnValue},
    {L"DisableLocalSecurity", flash::DISPID_DisableLocalSecurity},
};

HRESULT TextArgument(const DISPPARAMS& params, UINT index, gs::UniqueVariant& text) {
    return gs::DispatchArgument(params, index, VT_BSTR, text);
}

HRESULT GiveBstr(HRESULT hr, BSTR value, VARIANT* result) {
    if (FAILED(hr) || !result) {
        ::SysFreeString(value);
        return hr;
    }
    result->vt = VT_BSTR;
    result->bstrVal = value;
    return hr;
}

HRESULT GiveLong(HRESULT hr, long value, VARIANT* result) {
    if (SUCCEEDED(hr) && result) {
        result->vt = VT_I4;
        result->lVal = value;
    }
    return hr;
}

} // namespace

HRESULT FlashPlayer::GetTypeInfoCount(UINT* count) {
    if (!count)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT FlashPlayer::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info)
        *info = nullptr;
    return E_NOTIMPL;
}

HRESULT FlashPlayer::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (!names || !ids)
        return E_POINTER;
    HRESULT hr = S_OK;
    for (UINT index = 0; index < count; ++index) {
        ids[index] = DISPID_UNKNOWN;
        for (const Member& member : Members) {
            if (index == 0 && names[0] && ::lstrcmpiW(names[0], member.name) == 0)
                ids[0] = member.id;
        }
        if (ids[index] == DISPID_UNKNOWN)
            hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
}

HRESULT FlashPlayer::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params,
                            VARIANT* result, EXCEPINFO*, UINT*) {
    if (iid != IID_NULL)
        return DISP_E_UNKNOWNINTERFACE;
    if (!params)
        return E_POINTER;
    if (result)
        ::VariantInit(result);
    return InvokeMember(id, flags, *params, result);
}

HRESULT FlashPlayer::InvokeMember(DISPID id, WORD flags, DISPPARAMS& params, VARIANT* result) {
    const bool put = flags & DISPATCH_PROPERTYPUT;
    gs::UniqueVariant first;
    gs::UniqueVariant second;
    BSTR text = nullptr;
    long number = 0;
    HRESULT hr = S_OK;
    switch (id) {
    case flash::DISPID_ReadyState:
        hr = put ? DISP_E_MEMBERNOTFOUND : get_ReadyState(&number);
        return GiveLong(hr, number, result);
    case flash::DISPID_FlashVersion:
        hr = put ? DISP_E_MEMBERNOTFOUND : FlashVersion(&number);
        return GiveLong(hr, number, result);
    case flash::DISPID_Movie:
    case flash::DISPID_FlashVars:
    case flash::DISPID_AllowScriptAccess:
        if (put)
            return PutTextMember(id, params);
        hr = id == flash::DISPID_Movie ? get_Movie(&text) : GetText(id, &text);
        return GiveBstr(hr, text, result);
    case flash::DISPID_SetReturnValue:
        GS_RETURN_IF_FAILED(TextArgument(params, 0, first));
        return SetReturnValue(first.get()->bstrVal);
    case flash::DISPID_CallFunction:
    case flash::DISPID_GetVariable:
        GS_RETURN_IF_FAILED(TextArgument(params, 0, first));
        hr = id == flash::DISPID_CallFunction ? CallFunction(first.get()->bstrVal, &text)
                                              : GetVariable(first.get()->bstrVal, &text);
        return GiveBstr(hr, text, result);
    case flash::DISPID_SetVariable:
        GS_RETURN_IF_FAILED(TextArgument(params, 0, first));
        GS_RETURN_IF_FAILED(TextArgument(params, 1, second));
        return SetVariable(first.get()->bstrVal, second.get()->bstrVal);
    case flash::DISPID_DisableLocalSecurity:
        return DisableLocalSecurity();
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}

HRESULT FlashPlayer::PutTextMember(DISPID id, DISPPARAMS& params) {
    gs::UniqueVariant value;
    GS_RETURN_IF_FAILED(TextArgument(params, 0, value));
    BSTR text = value.get()->bstrVal;
    if (id == flash::DISPID_Movie)
        return put_Movie(text);
    return id == flash::DISPID_FlashVars ? put_FlashVars(text) : put_AllowScriptAccess(text);
}

} // namespace player
