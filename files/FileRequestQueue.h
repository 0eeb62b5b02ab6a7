#pragma once
// The movie's file requests on their way to the file dialogs, one dialog at a time.
// While no flow runs, a request waits for its timer, and a second request of the same
// kind before the timer fires is the same request. While a flow runs (its dialog, the
// replace prompt or its reply), every request is kept in line as it came and runs once
// the flows before it have answered. Portable.
#include "platform/ui/DuiString.h"

#include <deque>
#include <optional>
#include <vector>

namespace gs {

enum class FileFlow { Load, Save };

struct FileRequest {
    FileFlow flow = FileFlow::Load;
    DuiLib::CDuiString text;  // a save's Base64 text, moved in: it may be a whole file
    bool textRefused = false; // the save's text could not be held: nothing is written
};

class FileRequestQueue {
public:
    bool Running() const { return m_running; }

    // A request that waits for its timer; one of its kind already waiting stays as it is.
    void Arm(FileFlow flow);
    // The armed requests in the order they came, taken: their timers have fired.
    std::vector<FileFlow> TakeArmed();

    void Keep(FileRequest request) { m_line.push_back(std::move(request)); }
    // The next request to run, taken out of the line.
    std::optional<FileRequest> Next();

    // Marks the flows as running until the guard goes.
    class RunScope {
    public:
        explicit RunScope(FileRequestQueue& queue) : m_queue(queue) { m_queue.m_running = true; }
        RunScope(const RunScope&) = delete;
        RunScope& operator=(const RunScope&) = delete;
        ~RunScope() { m_queue.m_running = false; }

    private:
        FileRequestQueue& m_queue;
    };

private:
    std::vector<FileFlow> m_armed;
    std::deque<FileRequest> m_line;
    bool m_running = false;
};

} // namespace gs
