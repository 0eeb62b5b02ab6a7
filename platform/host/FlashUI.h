#pragma once
// The skin's "Flash" control: a CActiveXUI of the Flash Player's CLSID that listens to
// the player's events and hands them to the registered CFlashEventHandler, on the UI
// thread and synchronously: a movie's FlashCall waits until the handler returns, so the
// handler may call back into the movie from inside it.
#include "platform/host/ActiveXUI.h"
#include "platform/host/FlashEventHandler.h"

namespace DuiLib {

class CFlashEventSink;

class CFlashUI : public CActiveXUI {
public:
    CFlashUI();
    ~CFlashUI() override;

    LPCTSTR GetClass() const override;
    LPVOID GetInterface(LPCTSTR pstrName) override;

    // Null stops the routing; the control holds a reference on the handler meanwhile.
    void SetFlashEventHandler(CFlashEventHandler* pHandler);

    // One event of the player, by its dispatch id; unknown ids are ignored.
    HRESULT OnFlashEvent(DISPID id, const DISPPARAMS& params);

protected:
    HRESULT OnControlCreated() override;

private:
    CFlashEventHandler* m_pFlashEventHandler = nullptr; // not owned: referenced while set
    gs::ComPtr<CFlashEventSink> m_sink;
};

} // namespace DuiLib
