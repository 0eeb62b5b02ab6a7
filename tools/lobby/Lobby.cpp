#include "tools/lobby/Lobby.h"

#include "platform/win/ModulePath.h"
#include "tools/lobby/GameMasterRoomMessage.h"
#include "tools/lobby/HandoverImage.h"
#include "tools/lobby/LobbyLog.h"
#include "tools/lobby/LobbyOptions.h"
#include "tools/lobby/NamedBlock.h"
#include "tools/lobby/PlatformWindow.h"
#include "tools/lobby/ShellCommandLine.h"
#include "tools/lobby/ShellProcess.h"

#include <cstdint>

namespace lobby {

namespace {

std::wstring FreshHandoverName() {
    return L"GameShellHandover_" + std::to_wstring(::GetCurrentProcessId()) + L"_" +
           std::to_wstring(::GetTickCount64());
}

std::wstring BesideLobby(const std::wstring& fileName) {
    return gs::ModuleFolder(nullptr) + fileName;
}

std::wstring CreateRoomBlock(NamedBlock& block, HWND window, const std::string& ticket) {
    std::wstring error = block.Create(L"" GAMESHELL_ROOM_BLOCK_NAME, kRoomBlockSize);
    if (!error.empty())
        return error;
    const auto handle = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(window));
    block.Write(kRoomWindowOffset, &handle, sizeof handle);
    block.Write(kRoomTicketOffset, ticket.data(), ticket.size());
    return std::wstring();
}

std::wstring CreateHandoverBlock(NamedBlock& block, const std::wstring& name,
                                 const FieldValues& fields) {
    const HandoverImageResult image = BuildHandoverImage(fields);
    if (!image.error.empty())
        return image.error;
    std::wstring error = block.Create(name, kHandoverSize);
    if (error.empty())
        block.Write(0, image.image.data(), image.image.size());
    return error;
}

// Everything that lives while the shell runs.
class LobbyRun {
public:
    explicit LobbyRun(const LobbyOptions& options) : m_options(options) {}

    int Run() {
        std::wstring error = Prepare();
        if (!error.empty())
            return Fail(error);
        const std::wstring program =
            m_options.shellPath.empty() ? BesideLobby(L"GameShell.exe") : m_options.shellPath;
        const std::wstring commandLine =
            BuildCommandLine(program, ShellArguments(m_options, m_handoverName));
        m_log.Line(L"starting " + commandLine);
        ShellProcess shell;
        error = shell.Start(program, commandLine);
        if (!error.empty())
            return Fail(error);
        m_log.Line(L"shell process " + std::to_wstring(shell.ProcessId()));
        return Finish(shell.Wait(m_options.timeoutMs));
    }

private:
    std::wstring Prepare() {
        if (!m_options.logPath.empty() && !m_log.OpenFile(m_options.logPath))
            return L"cannot create the log file " + m_options.logPath;
        if (!m_window.Create())
            return L"cannot create the platform window";
        if (m_options.roomBlock) {
            std::wstring error = CreateRoomBlock(m_roomBlock, m_window.GetHWND(), m_options.ticket);
            if (!error.empty())
                return error;
            m_log.Line(L"room block GL_ROOM_REC with window " + HexHandle(m_window.GetHWND()));
        }
        m_handoverName =
            m_options.handoverName.empty() ? FreshHandoverName() : m_options.handoverName;
        if (m_options.form == LaunchForm::Handover && m_options.handoverBlock)
            return CreateHandoverBlock(m_handoverBlock, m_handoverName, m_options.fields);
        return std::wstring();
    }

    int Fail(const std::wstring& error) {
        m_log.Line(L"lobby: " + error);
        return kExitLobbyFailed;
    }

    int Finish(const ShellOutcome& outcome) {
        if (outcome.timedOut) {
            m_log.Line(L"timeout after " + std::to_wstring(*m_options.timeoutMs) +
                       L" ms: shell killed");
            return kExitTimeout;
        }
        m_log.Line(L"shell exited with code " + std::to_wstring(outcome.exitCode));
        return static_cast<int>(outcome.exitCode);
    }

    const LobbyOptions& m_options;
    LobbyLog m_log;
    PlatformWindow m_window{m_log};
    NamedBlock m_roomBlock;
    NamedBlock m_handoverBlock;
    std::wstring m_handoverName;
};

} // namespace

int RunLobby(const std::vector<std::wstring>& arguments) {
    const ParsedOptions parsed = ParseLobbyOptions(arguments);
    if (!parsed.error.empty()) {
        LobbyLog().Line(L"lobby: " + parsed.error + L" (see --help)");
        return kExitLobbyFailed;
    }
    if (parsed.options.help) {
        LobbyLog().Line(LobbyHelpText());
        return 0;
    }
    return LobbyRun(parsed.options).Run();
}

} // namespace lobby
