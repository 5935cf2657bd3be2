#include "message_box.h"

#include "label_ui2.h"
#include "ui_button.h"
#include "ui_container.h"

CMessageBox::CMessageBox(std::wstring text, HWND owner, UINT style, std::wstring align, int embedded,
                         std::wstring buttonText)
    : m_text(std::move(text)),
      m_owner(owner),
      m_style(style),
      m_align(std::move(align)),
      m_embedded(embedded),
      m_buttonText(std::move(buttonText)) {}

UINT CMessageBox::Run() {
    if (!Create(m_owner, L"", kStyle, 0, RECT{0, 0, 0, 0})) return kDlgDecline;
    return ShowModal();
}

UINT CMessageBox::Show(const std::wstring& text, HWND owner, UINT style, const std::wstring& align,
                       int embedded) {
    CMessageBox box(text, owner, style, align, embedded);
    return box.Run();
}

UINT CMessageBox::ShowWithButtonText(const std::wstring& text, HWND owner, const std::wstring& buttonText) {
    CMessageBox box(text, owner, 0, L"left", 0, buttonText);
    return box.Run();
}

void CMessageBox::AddButton(const wchar_t* name, const std::wstring& text, const wchar_t* pos,
                            const wchar_t* image, const wchar_t* textColor) {
    auto* area = dynamic_cast<markup::CContainerUI*>(FindControl(L"btn_area"));
    if (!area) return;
    auto button = std::make_unique<markup::CButtonUI>();
    markup::CButtonUI* raw = button.get();
    raw->SetName(name);
    raw->SetText(text);
    raw->SetAttribute(L"float", L"true");
    raw->SetAttribute(L"pos", pos);
    raw->SetAttribute(L"font", L"2");
    raw->SetAttribute(L"textcolor", textColor);
    const std::wstring file = std::wstring(L"file='") + image + L"'";
    raw->SetAttribute(L"normalimage", file + L" source='0,0,124,36'");
    raw->SetAttribute(L"hotimage", file + L" source='124,0,248,36'");
    raw->SetAttribute(L"pushedimage", file + L" source='248,0,372,36'");
    if (area->Add(std::move(button))) {
        if (std::wstring(name) == L"right_btn") m_rightButton = raw;
        else m_leftButton = raw;
    }
}

void CMessageBox::InitWindow() {
    CUseZipResourceDuiWnd::InitWindow();
    CenterWindow();
    std::wstring right, left;
    switch (m_style & 0xF) {
    case 1:
        right = m_buttonText.empty() ? L"确定" : m_buttonText;
        left = L"取消";
        m_rightResult = kDlgConfirm;
        m_leftResult = kDlgDecline;
        break;
    case 4:
        right = L"是";
        left = L"否";
        m_rightResult = kDlgYes;
        m_leftResult = kDlgNo;
        break;
    default:
        right = m_buttonText.empty() ? L"确定" : m_buttonText;
        m_rightResult = kDlgConfirm;
        break;
    }
    if (!left.empty() || right.empty()) {
        AddButton(L"right_btn", right, L"184,0,318,36", L"images/btn-orange.png", L"#FFFFFFFF");
        AddButton(L"left_btn", left, L"32,0,156,36", L"images/btn-grey.png", L"#FF666666");
    } else {
        AddButton(L"right_btn", right, L"108,0,232,36", L"images/btn-orange.png", L"#FFFFFFFF");
    }
    if (!m_text.empty()) {
        if (auto* content = dynamic_cast<markup::CContainerUI*>(FindControl(L"content_area"))) {
            auto label = std::make_unique<CLabelUI2>();
            label->SetText(m_text);
            label->SetAttribute(L"textcolor", L"#FF888888");
            label->SetAttribute(L"font", L"3");
            label->SetAttribute(L"align", m_align);
            label->SetAlignment(m_align);
            label->SetAttribute(L"float", L"true");
            label->SetAttribute(L"pos", L"43,25,343,90");
            content->Add(std::move(label));
        }
    }
}

void CMessageBox::OnClick(markup::TNotifyUI& msg) {
    const std::wstring& name = msg.pSender->GetName();
    if (name == L"cls") Close(kDlgClosed);
    else if (name == L"right_btn") Close(m_rightResult);
    else if (name == L"left_btn") Close(m_leftResult);
    else CUseZipResourceDuiWnd::OnClick(msg);
}
