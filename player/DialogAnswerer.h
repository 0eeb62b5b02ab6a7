#pragma once
// Answers the next common file dialog of this thread, and optionally the overwrite
// prompt that the save dialog opens after it. The dialogs are modal on the UI thread,
// so they are found from a timer of the player's own window, which keeps running inside
// their message loops: the file dialog is a "#32770" window with a file-name control
// (0x47C or 0x480); the prompt is another "#32770" without one. Answers are posted, so
// the timer never waits inside a dialog.
#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

namespace player {

class DialogAnswerer {
public:
    using Recorder = std::function<void(std::wstring_view kind, std::wstring_view text)>;

    explicit DialogAnswerer(Recorder record) : m_record(std::move(record)) {}

    void ChooseFile(std::wstring path);
    void CancelFile();
    void AnswerOverwrite(bool yes);
    void Reset();

    // One look at the thread's windows; true while something is still to be answered.
    bool Poll();
    bool Pending() const { return m_file != FileAnswer::None || m_overwrite != Overwrite::None; }

private:
    enum class FileAnswer { None, Choose, Cancel };
    enum class Overwrite { None, Yes, No };

    bool AnswerFileDialog(HWND dialog);
    bool AnswerPrompt(HWND prompt);

    Recorder m_record;
    FileAnswer m_file = FileAnswer::None;
    std::wstring m_path;
    Overwrite m_overwrite = Overwrite::None;
    HWND m_answeredDialog = nullptr; // not owned: the file dialog answered last
};

} // namespace player
