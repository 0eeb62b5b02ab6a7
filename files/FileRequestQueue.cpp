#include "files/FileRequestQueue.h"

#include <algorithm>
#include <utility>

namespace gs {

void FileRequestQueue::Arm(FileFlow flow) {
    if (std::ranges::find(m_armed, flow) == m_armed.end())
        m_armed.push_back(flow);
}

std::vector<FileFlow> FileRequestQueue::TakeArmed() {
    return std::exchange(m_armed, {});
}

std::optional<FileRequest> FileRequestQueue::Next() {
    if (m_line.empty())
        return std::nullopt;
    std::optional<FileRequest> next(std::move(m_line.front()));
    m_line.pop_front();
    return next;
}

} // namespace gs
