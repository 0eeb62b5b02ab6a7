#include "player/MovieRunner.h"

#include "player/DialogAnswerer.h"
#include "player/Stage.h"

#include <cwctype>

namespace player {

namespace {

bool IsNumber(std::wstring_view text) {
    size_t pos = !text.empty() && text.front() == L'-' ? 1 : 0;
    size_t digits = 0;
    bool point = false;
    for (; pos < text.size(); ++pos) {
        if (text[pos] == L'.' && !point && digits > 0)
            point = true;
        else if (std::iswdigit(text[pos]))
            ++digits;
        else
            return false;
    }
    return digits > 0 && text.back() != L'.';
}

} // namespace

void MovieRunner::Load(std::shared_ptr<const Movie> movie) {
    CancelWaits();
    m_buttons.clear();
    m_movie = std::move(movie);
    m_registered = m_movie && !m_movie->registerAtStart;
}

const Function* MovieRunner::Find(std::wstring_view name) const {
    return m_registered ? m_movie->Find(name) : nullptr;
}

void MovieRunner::Start() {
    if (!m_movie)
        return;
    m_registered = true;
    Run({m_movie, &m_movie->main, 0, {}, nullptr, nullptr});
}

void MovieRunner::RunUnload() {
    if (m_movie)
        Run({m_movie, &m_movie->unload, 0, {}, nullptr, nullptr});
}

CallOutcome MovieRunner::Call(const Function& function, const InvokeRequest& request) {
    CallOutcome outcome;
    Run({m_movie, &function.body, 0, request.arguments, &outcome, nullptr});
    return outcome;
}

void MovieRunner::OnTimer(UINT_PTR id) {
    auto parked = m_parked.find(id);
    if (parked != m_parked.end() && parked->second.untilDialog &&
        !DialogAnswerer::FileDialogShown())
        return;
    m_host.GetStage().StopTimer(id);
    if (parked == m_parked.end())
        return;
    Context context = std::move(parked->second);
    m_parked.erase(parked);
    Run(std::move(context));
}

void MovieRunner::OnButton(size_t index) {
    if (index < m_buttons.size())
        Run(m_buttons[index]);
}

void MovieRunner::CancelWaits() {
    for (const auto& parked : m_parked)
        m_host.GetStage().StopTimer(parked.first);
    m_parked.clear();
}

void MovieRunner::Run(Context context) {
    while (context.next < context.actions->size()) {
        const Action& action = (*context.actions)[context.next++];
        if (!Step(action, context))
            return;
    }
}

// One action; false when the rest of the sequence has been parked.
bool MovieRunner::Step(const Action& action, Context& context) {
    switch (action.op) {
    case Op::Title:
        m_host.GetStage().SetTitle(Substitute(action.text, context, false));
        break;
    case Op::Text:
        m_host.GetStage().AddText(Substitute(action.text, context, false));
        break;
    case Op::Note:
        m_host.Record(L"note", Substitute(action.text, context, false));
        break;
    case Op::Button:
        m_buttons.push_back(
            Kept({context.movie, &action.then, 0, context.arguments, nullptr, context.kept}));
        m_host.GetStage().AddButton(action.text);
        break;
    case Op::Call: {
        std::wstring text = Substitute(action.text, context, true);
        // The transcript has its result.
        (void)m_host.CallHost(
            gs::UniqueBstr(::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))));
        break;
    }
    case Op::Invoke:
        // The transcript has its result.
        (void)m_host.CallHost(BuildRequest(action, context));
        break;
    case Op::FsCommand:
        // An FSCommand has no answer.
        (void)m_host.SendFsCommand(Substitute(action.tokens[0].value, context, false),
                                   action.tokens.size() > 1
                                       ? Substitute(action.tokens[1].value, context, false)
                                       : std::wstring());
        break;
    case Op::Wait:
        Park(action, context);
        return false;
    case Op::ChooseFile:
        m_host.Dialogs().ChooseFile(Substitute(action.text, context, false));
        m_host.WatchDialogs();
        break;
    case Op::CancelFile:
        m_host.Dialogs().CancelFile();
        m_host.WatchDialogs();
        break;
    case Op::Overwrite:
        m_host.Dialogs().AnswerOverwrite(action.yes);
        m_host.WatchDialogs();
        break;
    case Op::Prompt:
        m_host.Dialogs().AnswerPrompt(action.button);
        m_host.WatchDialogs();
        break;
    case Op::Return:
        if (context.outcome)
            context.outcome->response = Substitute(action.text, context, true);
        break;
    case Op::Fail:
        if (context.outcome)
            context.outcome->result = E_FAIL;
        break;
    }
    return true;
}

void MovieRunner::Park(const Action& action, Context& context) {
    UINT_PTR id = m_nextTimer++;
    const UINT milliseconds = action.untilDialog ? DialogLookMilliseconds : action.milliseconds;
    if (!m_host.GetStage().StartTimer(id, milliseconds)) {
        m_host.Record(L"error", L"line " + std::to_wstring(action.line) +
                                    L": wait needs the stage window; the sequence stops");
        return;
    }
    context.outcome = nullptr;
    context.untilDialog = action.untilDialog;
    m_parked.emplace(id, Kept(std::move(context)));
}

// A context that outlives its call (a wait, a button) takes a copy of its arguments' text,
// which goes when the call returns; within the call they are read where they lie.
MovieRunner::Context MovieRunner::Kept(Context context) {
    if (context.kept || context.arguments.empty())
        return context;
    const wchar_t* begin = nullptr;
    const wchar_t* end = nullptr;
    for (const InvokeArgument& argument : context.arguments) {
        for (std::wstring_view view : {argument.element, argument.inner}) {
            if (!view.data())
                continue;
            begin = begin && begin < view.data() ? begin : view.data();
            end = end && end > view.data() + view.size() ? end : view.data() + view.size();
        }
    }
    if (!begin)
        return context;
    context.kept = std::make_shared<const std::wstring>(begin, end);
    const auto rebase = [&](std::wstring_view& view) {
        if (view.data())
            view = {context.kept->data() + (view.data() - begin), view.size()};
    };
    for (InvokeArgument& argument : context.arguments) {
        rebase(argument.element);
        rebase(argument.inner);
    }
    return context;
}

namespace {

// "$N" (one or two digits, 1 to 99) at `pos`: the argument's index, and its length.
bool ArgumentReference(std::wstring_view text, size_t pos, size_t& index, size_t& length) {
    if (pos + 1 >= text.size() || text[pos] != L'$' || !std::iswdigit(text[pos + 1]))
        return false;
    length = pos + 2 < text.size() && std::iswdigit(text[pos + 2]) ? 3 : 2;
    size_t number = 0;
    for (size_t digit = pos + 1; digit < pos + length; ++digit)
        number = number * 10 + static_cast<size_t>(text[digit] - L'0');
    if (number == 0)
        return false;
    index = number - 1;
    return true;
}

} // namespace

// $1 to $99 stand for the arguments of the call being answered: their text, or with
// `raw` their element content as received (entities still escaped). A missing argument
// stands for nothing.
std::wstring MovieRunner::Substitute(std::wstring_view text, const Context& context,
                                     bool raw) const {
    std::wstring out;
    for (size_t pos = 0; pos < text.size();) {
        size_t index = 0;
        size_t length = 0;
        if (!ArgumentReference(text, pos, index, length)) {
            out += text[pos++];
            continue;
        }
        if (index < context.arguments.size() && raw)
            out += context.arguments[index].inner;
        else if (index < context.arguments.size())
            out += context.arguments[index].Text();
        pos += length;
    }
    return out;
}

// An argument passed on whole ($N alone) is placed as received, without a copy of its own.
void MovieRunner::AppendElement(const Token& token, const Context& context,
                                std::deque<std::wstring>& made,
                                std::vector<std::wstring_view>& pieces) const {
    size_t index = 0;
    size_t length = 0;
    if (!token.quoted && ArgumentReference(token.value, 0, index, length) &&
        length == token.value.size()) {
        if (index < context.arguments.size())
            context.arguments[index].AppendXml(pieces);
        else
            pieces.push_back(L"<undefined/>");
        return;
    }
    made.push_back(Element(token, context));
    pieces.push_back(made.back());
}

std::wstring MovieRunner::Element(const Token& token, const Context& context) const {
    const std::wstring& value = token.value;
    if (!token.quoted) {
        if (value == L"true" || value == L"false" || value == L"null" || value == L"undefined")
            return L"<" + value + L"/>";
        if (IsNumber(value))
            return L"<number>" + value + L"</number>";
    }
    return L"<string>" + EscapeXml(Substitute(value, context, false)) + L"</string>";
}

gs::UniqueBstr MovieRunner::BuildRequest(const Action& action, const Context& context) const {
    std::deque<std::wstring> made; // a deque: the pieces refer to its strings
    std::vector<std::wstring_view> pieces;
    for (const Token& token : action.tokens)
        AppendElement(token, context, made, pieces);
    return BuildInvoke(action.text, pieces);
}

} // namespace player
