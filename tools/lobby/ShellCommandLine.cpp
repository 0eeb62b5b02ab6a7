#include "tools/lobby/ShellCommandLine.h"

#include "tools/lobby/TextCodec.h"

namespace lobby {

static std::vector<std::wstring> FieldArguments(const FieldValues& values, int count) {
    std::vector<std::wstring> arguments(static_cast<std::size_t>(count));
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        const int number = kFields[i].argument;
        if (number >= 1 && number <= count)
            arguments[static_cast<std::size_t>(number - 1)] = AnsiToWide(values[i]);
    }
    return arguments;
}

std::vector<std::wstring> ShellArguments(const LobbyOptions& options,
                                         const std::wstring& handoverName) {
    switch (options.form) {
    case LaunchForm::Handover:
        return {handoverName};
    case LaunchForm::Fields13:
        return FieldArguments(options.fields, 13);
    case LaunchForm::Fields14:
        return FieldArguments(options.fields, 14);
    case LaunchForm::Raw:
        break;
    }
    return options.rawArguments;
}

std::wstring QuoteArgument(const std::wstring& argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos)
        return argument;
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        // Backslashes are literal unless a quote follows: then each one is doubled.
        quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        quoted += c;
        backslashes = 0;
    }
    quoted.append(backslashes * 2, L'\\');
    return quoted + L"\"";
}

std::wstring BuildCommandLine(const std::wstring& program,
                              const std::vector<std::wstring>& arguments) {
    std::wstring line = QuoteArgument(program);
    for (const std::wstring& argument : arguments)
        line += L" " + QuoteArgument(argument);
    return line;
}

} // namespace lobby
