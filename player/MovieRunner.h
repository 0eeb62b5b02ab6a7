#pragma once
// Plays a parsed movie: the main sequence once the movie starts, a function's body
// for each CallFunction, a button's action for each click. A "wait" parks the rest of
// its sequence on a timer of the stage window, so nothing blocks the UI thread; a
// function's result is whatever its body settled before its first wait.
#include "player/InvokeText.h"
#include "player/MovieScript.h"

#include <windows.h>

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace player {

class Stage;
class DialogAnswerer;

// What a playing movie needs of its player.
class MovieHost {
public:
    virtual HRESULT CallHost(gs::UniqueBstr request) = 0;
    virtual HRESULT SendFsCommand(const std::wstring& command, const std::wstring& args) = 0;
    virtual void Record(std::wstring_view kind, std::wstring_view text) = 0;
    virtual Stage& GetStage() = 0;
    virtual DialogAnswerer& Dialogs() = 0;
    virtual void WatchDialogs() = 0;

protected:
    ~MovieHost() = default;
};

struct CallOutcome {
    HRESULT result = S_OK;
    std::wstring response = L"<undefined/>";
};

class MovieRunner {
public:
    // Stage timer ids from this one up belong to the runner's waits.
    static constexpr UINT_PTR FirstWaitTimer = 100;
    // How often a "wait dialog" looks for the dialog: nothing tells this thread's timer
    // that a modal dialog has opened, so it looks, as the dialog answers do.
    static constexpr UINT DialogLookMilliseconds = 10;

    explicit MovieRunner(MovieHost& host) : m_host(host) {}

    void Load(std::shared_ptr<const Movie> movie);
    void Unload() { Load(nullptr); }
    bool Loaded() const { return static_cast<bool>(m_movie); }
    const Function* Find(std::wstring_view name) const;

    // Runs the main sequence; a movie that registers its functions at start gets them now.
    void Start();
    // The movie's own unload actions, as the player is taken down.
    void RunUnload();
    CallOutcome Call(const Function& function, const InvokeRequest& request);
    void OnTimer(UINT_PTR id);
    void OnButton(size_t index);
    // Forgets the parked sequences (their timers died with the stage window).
    void CancelWaits();

private:
    struct Context {
        std::shared_ptr<const Movie> movie; // keeps the actions alive while they run
        const std::vector<Action>* actions = nullptr;
        size_t next = 0;
        std::vector<InvokeArgument> arguments;    // views into the call's text, or into `kept`
        CallOutcome* outcome = nullptr;           // only while the CallFunction is still running
        std::shared_ptr<const std::wstring> kept; // the arguments' text once the call is over
        bool untilDialog = false;                 // parked until a file dialog is shown
    };

    void Run(Context context);
    bool Step(const Action& action, Context& context);
    void Park(const Action& action, Context& context);
    std::wstring Substitute(std::wstring_view text, const Context& context, bool raw) const;
    static Context Kept(Context context);
    void AppendElement(const Token& token, const Context& context, std::deque<std::wstring>& made,
                       std::vector<std::wstring_view>& pieces) const;
    std::wstring Element(const Token& token, const Context& context) const;
    gs::UniqueBstr BuildRequest(const Action& action, const Context& context) const;

    MovieHost& m_host;
    std::shared_ptr<const Movie> m_movie;
    bool m_registered = false; // whether the movie's functions can be called yet
    std::map<UINT_PTR, Context> m_parked;
    std::vector<Context> m_buttons;
    UINT_PTR m_nextTimer = FirstWaitTimer;
};

} // namespace player
