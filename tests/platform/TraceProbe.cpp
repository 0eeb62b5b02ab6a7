// Writes two trace lines for the trace tests: one in Chinese, and one long enough to be
// written in several slices, with a surrogate pair across the first slice's end.
#include "platform/Trace.h"

#include <string>

int main() {
    gs::Trace(L"加载flash完成！path = %s\n", L"C:\\游戏\\a.swf");
    std::wstring longText(16383, L'x');
    longText += L"\U0001F600";
    longText += std::wstring(40000, L'中');
    gs::Trace(L"CallFlash %s callCommand = %s \n", L"Sucessed", longText.c_str());
    return 0;
}
