#include "tools/lobby/LobbyLog.h"

#include "tools/lobby/TextCodec.h"

namespace lobby {

bool LobbyLog::OpenFile(const std::wstring& path) {
    m_file.reset(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
    return static_cast<bool>(m_file);
}

static void WriteAll(HANDLE target, const std::string& bytes) {
    if (target == nullptr || target == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    (void)::WriteFile(target, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

void LobbyLog::Line(const std::wstring& text) {
    const std::string bytes = WideToUtf8(text) + "\r\n";
    WriteAll(::GetStdHandle(STD_OUTPUT_HANDLE), bytes);
    if (m_file)
        WriteAll(m_file.get(), bytes);
}

} // namespace lobby
