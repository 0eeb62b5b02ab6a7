// "Settings.xml" in the skin folder adapts the shell to one game: the movie, the file
// type and dialog filter of game files, the title, the Flash Player download page and
// whether the shell draws for the screen's DPI.
// A missing or broken file leaves every setting at its default.
#include "shell/ShellFrameWnd.h"

using DuiLib::CDuiString;
using DuiLib::CMarkupNode;
using DuiLib::CPaintManagerUI;

namespace {

const wchar_t* TextOf(const CMarkupNode& node) {
    const wchar_t* text = node.GetValue();
    return text ? text : L"";
}

} // namespace

LPCTSTR CShellFrameWnd::SettingText(LPCTSTR name) const {
    return TextOf(m_settings.GetRoot().GetChild(name));
}

LPCTSTR CShellFrameWnd::GetTaskBarName() const {
    return SettingText(L"TaskBarName");
}

void CShellFrameWnd::LoadSettings() {
    (void)m_settings.LoadFromFile(L"\\Settings.xml", DuiLib::CMarkup::XMLFILE_ENCODING_ANSI);
    CMarkupNode movie = m_settings.GetRoot().GetChild(L"loadingFlash");
    CDuiString movieText = TextOf(movie);
    if (movieText.IsEmpty()) {
        m_moviePath = CPaintManagerUI::GetInstancePath() + L"flash\\loading.swf";
    } else if (CDuiString(movie.GetAttributeValue(L"bLocal")) == L"true") {
        m_moviePath = CPaintManagerUI::GetInstancePath() + movieText;
    } else {
        m_moviePath = movieText;
    }
    m_fileExt = SettingText(L"FileExtention");
    if (m_fileExt.GetLength() <= 0)
        m_fileExt = L"wzs";
    gs::ConvertFileFilter(SettingText(L"FileFilter"), m_fileFilter);
    m_dpiAware = CDuiString(SettingText(L"DpiAware")) != L"false";
}
