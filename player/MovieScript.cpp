#include "player/MovieScript.h"

#include <windows.h>

#include <cwctype>
#include <utility>

namespace player {

namespace {

struct ParseError {
    std::wstring message;
};

std::wstring_view Trim(std::wstring_view text) {
    while (!text.empty() && std::iswspace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && std::iswspace(text.back()))
        text.remove_suffix(1);
    return text;
}

// Splits off the first word: returns it and leaves the trimmed rest in `text`.
std::wstring_view TakeWord(std::wstring_view& text) {
    size_t end = 0;
    while (end < text.size() && !std::iswspace(text[end]))
        ++end;
    std::wstring_view word = text.substr(0, end);
    text = Trim(text.substr(end));
    return word;
}

// A quoted token, "..." with \" and \\ as escapes, or a bare word.
Token TakeToken(std::wstring_view& text) {
    if (text.empty() || text.front() != L'"')
        return {std::wstring(TakeWord(text)), false};
    Token token{{}, true};
    for (size_t pos = 1; pos < text.size(); ++pos) {
        wchar_t c = text[pos];
        if (c == L'\\' && pos + 1 < text.size() &&
            (text[pos + 1] == L'"' || text[pos + 1] == L'\\')) {
            token.value += text[++pos];
        } else if (c == L'"') {
            text = Trim(text.substr(pos + 1));
            return token;
        } else {
            token.value += c;
        }
    }
    throw ParseError{L"unterminated quoted text"};
}

std::vector<Token> TakeTokens(std::wstring_view text) {
    std::vector<Token> tokens;
    while (!text.empty())
        tokens.push_back(TakeToken(text));
    return tokens;
}

unsigned ParseMilliseconds(std::wstring_view text) {
    const ParseError refused{L"wait needs \"dialog\" or a number of milliseconds (up to 9 digits)"};
    if (text.empty() || text.size() > 9)
        throw refused;
    unsigned value = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9')
            throw refused;
        value = value * 10 + static_cast<unsigned>(c - L'0');
    }
    return value;
}

void NeedText(std::wstring_view command, std::wstring_view rest) {
    if (rest.empty())
        throw ParseError{std::wstring(command) + L" needs an argument"};
}

class Parser {
public:
    std::shared_ptr<Movie> Run(std::wstring_view text) {
        for (size_t start = 0; start <= text.size(); ++m_line) {
            size_t end = text.find(L'\n', start);
            if (end == std::wstring_view::npos)
                end = text.size();
            ParseLine(Trim(text.substr(start, end - start)));
            start = end + 1;
        }
        if (m_function) {
            m_line = m_functionLine;
            throw ParseError{L"\"on " + m_function->name + L"\" has no \"end\""};
        }
        return m_movie;
    }

private:
    void ParseLine(std::wstring_view text) {
        if (text.empty() || text.front() == L'#')
            return;
        std::wstring_view rest = text;
        std::wstring_view command = TakeWord(rest);
        if (command == L"on")
            return Begin(rest);
        if (command == L"end")
            return End(rest);
        if (command == L"transcript")
            return Transcript(rest);
        if (command == L"register")
            return RegisterAtStart(rest);
        if (command == L"unload")
            return Unload(rest);
        Current().push_back(ParseAction(command, rest));
    }

    void RegisterAtStart(std::wstring_view rest) {
        if (rest != L"at start")
            throw ParseError{L"register needs \"at start\""};
        if (m_function)
            throw ParseError{L"\"register\" belongs outside functions"};
        m_movie->registerAtStart = true;
    }

    void Unload(std::wstring_view rest) {
        if (m_function)
            throw ParseError{L"\"unload\" belongs outside functions"};
        std::wstring_view command = TakeWord(rest);
        if (command.empty() || command == L"button" || command == L"return" || command == L"fail")
            throw ParseError{L"unload needs an action"};
        m_movie->unload.push_back(ParseAction(command, rest));
    }

    void Begin(std::wstring_view name) {
        if (m_function)
            throw ParseError{L"\"on\" inside \"on " + m_function->name + L"\""};
        if (name.empty() || name.find_first_of(L" \t\"<>&") != std::wstring_view::npos)
            throw ParseError{L"\"on\" needs one function name"};
        if (m_movie->Find(name))
            throw ParseError{L"function " + std::wstring(name) + L" is defined twice"};
        m_movie->functions.push_back({std::wstring(name), {}});
        m_function = &m_movie->functions.back();
        m_functionLine = m_line;
    }

    void End(std::wstring_view rest) {
        if (!m_function)
            throw ParseError{L"\"end\" without \"on\""};
        if (!rest.empty())
            throw ParseError{L"\"end\" takes nothing after it"};
        m_function = nullptr;
    }

    void Transcript(std::wstring_view path) {
        if (m_function)
            throw ParseError{L"\"transcript\" belongs outside functions"};
        NeedText(L"transcript", path);
        m_movie->transcript = path;
    }

    std::vector<Action>& Current() { return m_function ? m_function->body : m_movie->main; }

    Action ParseAction(std::wstring_view command, std::wstring_view rest) {
        Action action;
        action.line = m_line;
        action.text = rest;
        if (command == L"title" || command == L"text" || command == L"note") {
            action.op = command == L"title" ? Op::Title : command == L"text" ? Op::Text : Op::Note;
        } else if (command == L"call") {
            NeedText(command, rest);
            action.op = Op::Call;
        } else if (command == L"invoke") {
            action.op = Op::Invoke;
            action.text = TakeWord(rest);
            NeedText(command, action.text);
            action.tokens = TakeTokens(rest);
        } else if (command == L"fscommand") {
            action.op = Op::FsCommand;
            action.tokens = TakeTokens(rest);
            if (action.tokens.empty() || action.tokens.size() > 2)
                throw ParseError{L"fscommand needs a command and at most one argument text"};
        } else if (command == L"wait") {
            action.op = Op::Wait;
            action.untilDialog = rest == L"dialog";
            if (!action.untilDialog)
                action.milliseconds = ParseMilliseconds(rest);
        } else if (command == L"filedialog") {
            FileDialog(action, rest);
        } else if (command == L"overwrite") {
            if (rest != L"yes" && rest != L"no")
                throw ParseError{L"overwrite needs yes or no"};
            action.op = Op::Overwrite;
            action.yes = rest == L"yes";
        } else if (command == L"prompt") {
            action.op = Op::Prompt;
            action.button = PromptButton(rest);
        } else if (command == L"button") {
            Button(action, rest);
        } else if (command == L"return" || command == L"fail") {
            if (!m_function)
                throw ParseError{std::wstring(command) + L" belongs inside a function"};
            action.op = command == L"return" ? Op::Return : Op::Fail;
        } else {
            throw ParseError{L"unknown command \"" + std::wstring(command) + L"\""};
        }
        return action;
    }

    static int PromptButton(std::wstring_view name) {
        constexpr std::pair<std::wstring_view, int> kButtons[] = {
            {L"ok", IDOK}, {L"cancel", IDCANCEL}, {L"yes", IDYES}, {L"no", IDNO}};
        for (const auto& [word, id] : kButtons) {
            if (name == word)
                return id;
        }
        throw ParseError{L"prompt needs ok, cancel, yes or no"};
    }

    void FileDialog(Action& action, std::wstring_view rest) {
        std::wstring_view mode = TakeWord(rest);
        action.text = rest;
        if (mode == L"cancel" && rest.empty()) {
            action.op = Op::CancelFile;
        } else if (mode == L"choose" && !rest.empty()) {
            action.op = Op::ChooseFile;
        } else {
            throw ParseError{L"filedialog needs \"choose PATH\" or \"cancel\""};
        }
    }

    void Button(Action& action, std::wstring_view rest) {
        if (rest.empty() || rest.front() != L'"')
            throw ParseError{L"button needs a quoted label and an action"};
        action.op = Op::Button;
        action.text = TakeToken(rest).value;
        std::wstring_view command = TakeWord(rest);
        if (command.empty() || command == L"button" || command == L"return" || command == L"fail")
            throw ParseError{L"button needs an action after its label"};
        action.then.push_back(ParseAction(command, rest));
    }

public:
    int Line() const { return m_line; }

private:
    int m_line = 1;
    std::shared_ptr<Movie> m_movie = std::make_shared<Movie>();
    Function* m_function = nullptr;
    int m_functionLine = 0;
};

} // namespace

const Function* Movie::Find(std::wstring_view name) const {
    for (const Function& function : functions) {
        if (function.name == name)
            return &function;
    }
    return nullptr;
}

ParseResult ParseMovie(std::wstring_view text) {
    Parser parser;
    try {
        return {parser.Run(text), 0, {}};
    } catch (const ParseError& error) {
        return {nullptr, parser.Line(), error.message};
    } catch (const std::bad_alloc&) {
        return {nullptr, parser.Line(), L"out of memory"};
    }
}

} // namespace player
