#pragma once
// Answers the dialogs a movie meets on this thread: the common file dialogs, the replace
// prompt that follows a save dialog (the dialog's own, or its owner's once the dialog has
// closed), and any other message box, such as the open dialog's "file does not exist".
// The dialogs are modal on the UI thread, so they are found from a timer of the player's
// own window, which keeps running inside their message loops: a file dialog is a
// "#32770" window with a file-name control (0x47C or 0x480); a box is another "#32770",
// answered only when it has the answer's button. Answers are posted, so the timer never
// waits inside a dialog.
#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <string_view>

namespace player {

class DialogAnswerer {
public:
    using Recorder = std::function<void(std::wstring_view kind, std::wstring_view text)>;

    explicit DialogAnswerer(Recorder record) : m_record(std::move(record)) {}

    // File answers wait in line: a dialog that refused a name takes the next one.
    void ChooseFile(std::wstring path);
    void CancelFile();
    void AnswerOverwrite(bool yes);
    // The next message box that offers `button` (IDOK, IDCANCEL, IDYES or IDNO).
    void AnswerPrompt(int button);
    void Reset();

    // Whether a file dialog of this thread is on the screen.
    static bool FileDialogShown();

    // One look at the thread's windows; true while something is still to be answered.
    bool Poll();
    bool Pending() const {
        return !m_files.empty() || m_overwrite != Overwrite::None || m_prompt != 0;
    }

private:
    enum class Overwrite { None, Yes, No };
    struct FileAnswer {
        bool cancel = false;
        std::wstring path;
    };

    bool AnswerFileDialog(HWND dialog);
    bool IsReplacePrompt(HWND box) const;
    void AnswerReplacePrompt(HWND prompt);
    void AnswerBox(HWND box);

    Recorder m_record;
    std::deque<FileAnswer> m_files;
    Overwrite m_overwrite = Overwrite::None;
    int m_prompt = 0;                // the button of the armed prompt answer, 0 for none
    HWND m_answeredDialog = nullptr; // not owned: the file dialog answered last
    HWND m_answeredOwner = nullptr;  // not owned: that dialog's owner
};

} // namespace player
