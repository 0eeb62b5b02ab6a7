#include "tools/lobby/LobbyOptions.h"

#include "tools/lobby/TextCodec.h"

#include <windows.h>

#include <cwchar>

namespace lobby {

namespace {

std::wstring OptionName(const FieldSpec& field) {
    std::wstring name = L"--";
    name.append(field.option);
    return name;
}

// Walks the arguments; every handler takes what it needs and reports the first error.
class OptionReader {
public:
    explicit OptionReader(const std::vector<std::wstring>& arguments) : m_arguments(arguments) {}

    ParsedOptions Read() {
        while (m_next < m_arguments.size() && m_result.error.empty())
            ReadOne(m_arguments[m_next++]);
        return std::move(m_result);
    }

private:
    void ReadOne(const std::wstring& argument) {
        LobbyOptions& options = m_result.options;
        if (argument == L"--help" || argument == L"-h" || argument == L"/?")
            options.help = true;
        else if (argument == L"--")
            TakeRawArguments();
        else if (argument == L"--no-room-block")
            options.roomBlock = false;
        else if (argument == L"--no-handover")
            options.handoverBlock = false;
        else if (argument == L"--shell")
            TakeValue(argument, options.shellPath);
        else if (argument == L"--handover-name")
            TakeValue(argument, options.handoverName);
        else if (argument == L"--log")
            TakeValue(argument, options.logPath);
        else if (argument == L"--form")
            TakeForm(argument);
        else if (argument == L"--timeout")
            TakeTimeout(argument);
        else if (argument == L"--ticket" || argument == L"--ticket-hex")
            TakeTicket(argument);
        else if (!TakeField(argument))
            Fail(L"unknown option " + argument);
    }

    void Fail(const std::wstring& message) {
        if (m_result.error.empty())
            m_result.error = message;
    }

    bool TakeValue(const std::wstring& option, std::wstring& value) {
        if (m_next >= m_arguments.size()) {
            Fail(option + L" needs a value");
            return false;
        }
        value = m_arguments[m_next++];
        return true;
    }

    void TakeRawArguments() {
        m_result.options.form = LaunchForm::Raw;
        m_result.options.rawArguments.assign(m_arguments.begin() + m_next, m_arguments.end());
        m_next = m_arguments.size();
    }

    void TakeForm(const std::wstring& option) {
        std::wstring name;
        if (!TakeValue(option, name))
            return;
        LaunchForm& form = m_result.options.form;
        if (name == L"handover")
            form = LaunchForm::Handover;
        else if (name == L"fields13")
            form = LaunchForm::Fields13;
        else if (name == L"fields14")
            form = LaunchForm::Fields14;
        else if (name == L"raw")
            form = LaunchForm::Raw;
        else
            Fail(L"--form: unknown form " + name);
    }

    void TakeTimeout(const std::wstring& option) {
        std::wstring text;
        if (!TakeValue(option, text))
            return;
        wchar_t* end = nullptr;
        const unsigned long value = std::wcstoul(text.c_str(), &end, 10);
        if (text.empty() || *end != L'\0' || text[0] == L'-')
            Fail(L"--timeout: not a number of milliseconds: " + text);
        else
            m_result.options.timeoutMs = value;
    }

    // A wide text becomes ANSI bytes; a "-hex" option gives the bytes themselves.
    std::optional<std::string> TakeBytes(const std::wstring& option, bool hex) {
        std::wstring text;
        if (!TakeValue(option, text))
            return std::nullopt;
        auto bytes = hex ? HexToBytes(text) : WideToAnsi(text);
        if (!bytes)
            Fail(option + (hex ? L": not an even number of hex digits"
                               : L": not representable in the ANSI code page " +
                                     std::to_wstring(::GetACP())));
        return bytes;
    }

    void TakeTicket(const std::wstring& option) {
        auto bytes = TakeBytes(option, option == L"--ticket-hex");
        if (bytes && bytes->size() > kMaxTicketBytes)
            Fail(option + L": longer than the " + std::to_wstring(kMaxTicketBytes) +
                 L" bytes the block has for it");
        else if (bytes)
            m_result.options.ticket = std::move(*bytes);
    }

    bool TakeField(const std::wstring& argument) {
        for (std::size_t i = 0; i < kFieldCount; ++i) {
            const std::wstring option = OptionName(kFields[i]);
            const bool text = kFields[i].kind == FieldKind::Text;
            if (argument != option && !(text && argument == option + L"-hex"))
                continue;
            if (auto bytes = TakeBytes(argument, argument != option))
                m_result.options.fields[i] = std::move(*bytes);
            return true;
        }
        return false;
    }

    const std::vector<std::wstring>& m_arguments;
    std::size_t m_next = 0;
    ParsedOptions m_result;
};

} // namespace

ParsedOptions ParseLobbyOptions(const std::vector<std::wstring>& arguments) {
    return OptionReader(arguments).Read();
}

} // namespace lobby
