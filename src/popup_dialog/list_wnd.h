#pragma once
// Drop-down list of texts for a field of another skin window; reports the chosen index to
// its owner with message 0x0BEE.
#include <string>
#include <vector>

#include "use_zip_resource_dui_wnd.h"

class CListWnd : public CUseZipResourceDuiWnd {
public:
    static constexpr UINT kChoiceMessage = 0x0BEE;

    void SetItemHeight(int height) { m_itemHeight = height; }
    void SetItemTexts(std::vector<std::wstring> texts) { m_texts = std::move(texts); }
    // Creates the window owned by owner at rc, hidden until the owner shows it.
    bool Show(HWND owner, const RECT& rc);

    const wchar_t* GetWindowClassName() const override { return L"CListWnd"; }
    std::wstring GetSkinFile() override { return L"listwnd.xml"; }
    void InitWindow() override;
    void Notify(markup::TNotifyUI& msg) override;
    LRESULT OnCreate(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;
    LRESULT HandleCustomMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;

private:
    HWND m_owner = nullptr;
    int m_itemHeight = 20;
    std::vector<std::wstring> m_texts;
};
