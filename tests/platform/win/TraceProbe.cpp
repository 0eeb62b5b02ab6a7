// Writes two trace lines for the trace tests: one formatted in Chinese, and one with a
// text long enough to be written in several slices, with a surrogate pair across the first slice's
// end.
#include "platform/win/Trace.h"

#include <string>

int main() {
    gs::Trace(L"加载flash完成！path = %s\n", L"C:\\游戏\\a.swf");
    std::wstring longText(16383, L'x');
    longText += L"\U0001F600";
    longText += std::wstring(40000, L'中');
    gs::TraceText(L"CallFlash Sucessed callCommand = ", longText, L" \n");
    return 0;
}
