#pragma once
// Runs a one-off cleanup at the end of a scope.
#include <utility>

namespace gs {

template <typename F> class [[nodiscard]] ScopeGuard {
public:
    explicit ScopeGuard(F cleanup) noexcept : m_cleanup(std::move(cleanup)) {}
    ScopeGuard(const ScopeGuard&) = delete;
    ScopeGuard& operator=(const ScopeGuard&) = delete;
    ~ScopeGuard() {
        if (m_armed)
            m_cleanup();
    }
    void dismiss() noexcept { m_armed = false; }

private:
    F m_cleanup;
    bool m_armed = true;
};

} // namespace gs
