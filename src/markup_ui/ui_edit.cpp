#include "ui_edit.h"

#include <algorithm>

#include "paint_manager.h"
#include "text_util.h"

namespace markup {

CEditUI::~CEditUI() {
    if (m_edit && ::IsWindow(m_edit)) ::DestroyWindow(m_edit);
}

void CEditUI::EnsureWindow() {
    if (m_edit || !m_manager || !m_manager->GetPaintWindow()) return;
    DWORD style = WS_CHILD | ES_AUTOHSCROLL | (m_visible ? WS_VISIBLE : 0);
    if (m_password) style |= ES_PASSWORD;
    if (m_readOnly) style |= ES_READONLY;
    m_edit = ::CreateWindowExW(0, L"EDIT", m_text.c_str(), style, 0, 0, 0, 0,
                               m_manager->GetPaintWindow(), nullptr, nullptr, nullptr);
    if (!m_edit) return;
    ::SendMessageW(m_edit, WM_SETFONT, reinterpret_cast<WPARAM>(m_manager->GetFont(m_font)), FALSE);
    ::SendMessageW(m_edit, EM_LIMITTEXT, WPARAM(m_maxChar), 0);
    ::EnableWindow(m_edit, m_enabled);
}

std::wstring CEditUI::GetText() const {
    if (!m_edit) return m_text;
    const int n = ::GetWindowTextLengthW(m_edit);
    std::wstring text(size_t(n) + 1, L'\0');
    ::GetWindowTextW(m_edit, &text[0], n + 1);
    text.resize(size_t(n));
    return text;
}

void CEditUI::SetText(const std::wstring& text) {
    m_text = text;
    if (m_edit) ::SetWindowTextW(m_edit, text.c_str());
}

void CEditUI::SetPos(const RECT& rc) {
    CControlUI::SetPos(rc);
    EnsureWindow();
    if (!m_edit) return;
    // The font may have been made again for another DPI.
    ::SendMessageW(m_edit, WM_SETFONT, reinterpret_cast<WPARAM>(m_manager->GetFont(m_font)), FALSE);
    const RECT inner = ScaledInset(m_rcItem, m_textPadding);
    // Centre the one line of text vertically inside the control.
    const int lineHeight = m_manager ? m_manager->Scale(20) : 20;
    const int h = std::min<int>(inner.bottom - inner.top, lineHeight);
    const int top = inner.top + ((inner.bottom - inner.top) - h) / 2;
    ::MoveWindow(m_edit, inner.left, top, inner.right - inner.left, h, TRUE);
}

void CEditUI::SetVisible(bool visible) {
    CControlUI::SetVisible(visible);
    if (m_edit) ::ShowWindow(m_edit, visible ? SW_SHOWNA : SW_HIDE);
}

void CEditUI::SetEnabled(bool enabled) {
    CControlUI::SetEnabled(enabled);
    if (m_edit) ::EnableWindow(m_edit, enabled);
}

void CEditUI::SetMaxChar(int count) {
    if (count < 0) return;
    m_maxChar = count;
    if (m_edit) ::SendMessageW(m_edit, EM_LIMITTEXT, WPARAM(count), 0);
}

void CEditUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
    int n = 0;
    bool flag = false;
    const std::string v = textutil::WideToUtf8(value);
    if (name == L"maxchar") {
        if (ParseInt(v, n)) SetMaxChar(n);
    } else if (name == L"password") {
        if (ParseBool(v, flag)) m_password = flag;
    } else if (name == L"readonly") {
        if (ParseBool(v, flag)) m_readOnly = flag;
    } else {
        CControlUI::SetAttribute(name, value);
    }
}

bool CEditUI::OnEditCommand(HWND from, UINT code) {
    if (from != m_edit || !m_manager) return false;
    if (code == EN_CHANGE) m_manager->SendNotify(this, L"textchanged");
    else if (code == EN_SETFOCUS) m_manager->SendNotify(this, L"setfocus");
    else if (code == EN_KILLFOCUS) m_manager->SendNotify(this, L"killfocus");
    else return false;
    return true;
}

}  // namespace markup
