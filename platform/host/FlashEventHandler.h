#pragma once
// What a Flash control tells its owner: the player's four events, and a reference
// count the control keeps on the handler while it is registered. Every slot does
// nothing and answers 0 unless overridden; an owner usually overrides FlashCall only.
#include <windows.h>

namespace DuiLib {

class CFlashEventHandler {
public:
    // Taken when the handler is registered with a Flash control, given back when it is
    // replaced or the control goes away.
    virtual ULONG AddRef() { return 0; }
    virtual ULONG Release() { return 0; }
    virtual HRESULT OnReadyStateChange(long newState) { return (void)newState, 0; }
    virtual HRESULT OnProgress(long percentDone) { return (void)percentDone, 0; }
    virtual HRESULT FSCommand(LPCTSTR command, LPCTSTR args) {
        return (void)command, (void)args, 0;
    }
    // One external call of the movie, as its invoke text; the movie waits for the answer.
    virtual HRESULT FlashCall(LPCTSTR request) { return (void)request, 0; }

protected:
    // Not deleted through this base: the owner's own class decides its lifetime.
    ~CFlashEventHandler() = default;
};

} // namespace DuiLib
