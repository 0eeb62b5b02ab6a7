#pragma once
// An argument vector for the launch record's fill, as the C runtime would hand it over.
#include <string>
#include <vector>

namespace gs::test {

class Arguments {
public:
    Arguments(std::initializer_list<std::string> values) : Arguments(std::vector(values)) {}
    explicit Arguments(std::vector<std::string> values) : m_values(std::move(values)) {
        m_values.insert(m_values.begin(), "GameShell.exe");
    }
    int count() const { return static_cast<int>(m_values.size()); }
    // Pointers into this object's own texts, taken afresh so that a copy stays usable.
    char** values() {
        m_pointers.clear();
        for (std::string& value : m_values)
            m_pointers.push_back(value.data());
        m_pointers.push_back(nullptr);
        return m_pointers.data();
    }

private:
    std::vector<std::string> m_values;
    std::vector<char*> m_pointers;
};

} // namespace gs::test
