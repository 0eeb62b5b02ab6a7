#pragma once
// A scripted movie: the text format the test player plays instead of SWF content
// (described with examples in docs/movie-script.md). Parsing is separate from running
// so that a broken script is refused, with its line number, before anything happens.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace player {

enum class Op {
    Title,      // title TEXT
    Text,       // text TEXT
    Note,       // note TEXT            (a transcript line)
    Button,     // button "LABEL" ACTION
    Call,       // call RAW-REQUEST      (FlashCall with exactly this text)
    Invoke,     // invoke NAME [ARG...]  (FlashCall with a built invoke text)
    FsCommand,  // fscommand "COMMAND" ["ARGS"]
    Wait,       // wait MILLISECONDS | wait dialog
    ChooseFile, // filedialog choose PATH
    CancelFile, // filedialog cancel
    Overwrite,  // overwrite yes|no
    Prompt,     // prompt ok|cancel|yes|no
    Return,     // return XML            (handlers only)
    Fail,       // fail                  (handlers only)
};

struct Token {
    std::wstring value;
    bool quoted = false;
};

struct Action {
    Op op = Op::Text;
    int line = 0;
    std::wstring text;         // the rest of the line, the name or the label
    std::vector<Token> tokens; // invoke and fscommand arguments
    unsigned milliseconds = 0; // wait
    bool untilDialog = false;  // wait dialog
    bool yes = false;          // overwrite
    int button = 0;            // prompt: IDOK, IDCANCEL, IDYES or IDNO
    std::vector<Action> then;  // a button's action (one)
};

struct Function {
    std::wstring name;
    std::vector<Action> body;
};

struct Movie {
    std::wstring transcript;
    std::vector<Action> main;
    std::vector<Function> functions;
    std::vector<Action> unload;   // run as the player is taken down
    bool registerAtStart = false; // functions exist only once the main sequence starts

    const Function* Find(std::wstring_view name) const;
};

struct ParseResult {
    std::shared_ptr<const Movie> movie; // null when the script is broken
    int errorLine = 0;
    std::wstring error;
};

ParseResult ParseMovie(std::wstring_view text);

} // namespace player
