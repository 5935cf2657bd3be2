#include "window_title.h"

#include <windows.h>

#include "hand_over.h"
#include "language.h"
#include "main_messages.h"
#include "singleton.h"
#include "win_app.h"
#include "wnd.h"

TitleTexts LoadTitleTexts() {
    TitleTexts t;
    t.mp10 = GetText(L"TITLE", 10);
    t.mp11 = GetText(L"TITLE", 11);
    t.mp12 = GetText(L"TITLE", 12);
    t.mp13 = GetText(L"TITLE", 13);
    t.year = GetText(L"TITLE", 30);
    t.month = GetText(L"TITLE", 31);
    t.day = GetText(L"TITLE", 32);
    t.chinese = IsChinese();
    t.cjk = IsCJK();
    return t;
}

CWindowTitle* CWindowTitle::Instance() { return CSingletonT<CWindowTitle>::Instance(); }
void CWindowTitle::DestroyInstance() { CSingletonT<CWindowTitle>::DestroyInstance(); }

void CWindowTitle::SetPicture(const std::wstring& path, const std::wstring* dateText, int width,
                              int height) {
    m_model.SetPicture(path, dateText, width, height, LoadTitleTexts());
}

void CWindowTitle::SetSize(int width, int height) {
    m_model.SetSize(width, height);
    Recompose();
}

void CWindowTitle::SetPosition(int index, int count) {
    m_model.SetPosition(GetText(L"TITLE", 40), index, count, GetText(L"TITLE", 41));
    Recompose();
}

void CWindowTitle::SetZoom(double ratio) {
    m_model.SetZoom(ratio);
    Recompose();
}

std::wstring CWindowTitle::Text() const { return m_model.Compose(LoadTitleTexts()); }

void CWindowTitle::Recompose() {
    CWinApp* app = AfxGetApp();
    HWND main = app && app->m_pMainWnd ? app->m_pMainWnd->GetSafeHwnd() : nullptr;
    HWND label = main ? ::GetDlgItem(main, kTitleTextId) : nullptr;
    if (!label) return;
    const std::wstring text = Text();
    HDC dc = ::GetDC(label);
    HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(label, WM_GETFONT, 0, 0)));
    SIZE size = {};
    ::GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &size);
    ::SelectObject(dc, old);
    ::ReleaseDC(label, dc);
    RECT rc;
    ::GetWindowRect(label, &rc);
    if (size.cx != 0 && size.cx != rc.right - rc.left)
        ::SendMessageW(main, kMsgTitleSize, WPARAM(size.cx), 29);
    ::SetWindowTextW(label, text.c_str());
    ::SetWindowTextW(main, text.empty() ? kIdleMainTitle : text.c_str());
}
