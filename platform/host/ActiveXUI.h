#pragma once
// A skin control that hosts a COM control by its CLSID, in place, as a child window
// over the control's rectangle.
//
// Creation waits for DoInit, which the paint manager runs inside the message loop once
// the window has been shown with its skin; it ends with the "showactivex" notification,
// wParam the creation HRESULT. Activation order: CoCreateInstance (in-process), the
// client site before anything else when the control asks for it
// (OLEMISC_SETCLIENTSITEFIRST), InitNew, the event connections (OnControlCreated),
// then in-place activation in the control's rectangle. Teardown runs in one function in
// a fixed order: in-place deactivate, UI deactivate, unadvise, close, clear the client
// site, release.
#include "platform/ui/ControlUI.h"
#include "platform/win/ComPtr.h"

#include <ocidl.h>
#include <oleidl.h>
#include <vector>

namespace DuiLib {

class CActiveXSite;

class CActiveXUI : public CControlUI {
public:
    CActiveXUI();
    ~CActiveXUI() override;

    LPCTSTR GetClass() const override;
    LPVOID GetInterface(LPCTSTR pstrName) override;
    // "clsid": a CLSID in braces or a ProgID; other names go to CControlUI.
    void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;
    void SetPos(RECT rc) override;
    void SetVisible(bool bVisible = true) override;
    void SetInternVisible(bool bVisible = true) override;
    void DoInit() override;

    const CLSID& GetClsid() const { return m_clsid; }
    void SetClsid(REFCLSID clsid) { m_clsid = clsid; }
    // Queries the hosted object; null in *ppRet and E_NOINTERFACE while there is none.
    HRESULT GetControl(REFIID iid, void** ppRet);
    // The hosted control's own window while it is in-place active, else null.
    HWND GetHostWindow() const;

    // Keeps the control's window over the rectangle and visibility of this control.
    void UpdateControlWindow();

protected:
    // After the client site is set and before activation: the place to connect events.
    virtual HRESULT OnControlCreated() { return S_OK; }
    // Connects `sink` to the control's connection point for `events`; the connection is
    // dropped in the teardown.
    HRESULT Advise(REFIID events, IUnknown* sink);
    void ReleaseControl();

private:
    struct Connection {
        gs::ComPtr<IConnectionPoint> point;
        DWORD cookie;
    };

    HRESULT CreateControl();
    HRESULT SetUpControl();
    HRESULT InitNew();
    HRESULT ActivateInPlace();

    CLSID m_clsid = CLSID_NULL;
    bool m_bCreated = false; // creation was attempted
    gs::ComPtr<IUnknown> m_unknown;
    gs::ComPtr<IOleObject> m_oleObject;
    gs::ComPtr<IOleInPlaceObject> m_inPlaceObject;
    gs::ComPtr<CActiveXSite> m_site;
    std::vector<Connection> m_connections;
};

} // namespace DuiLib
