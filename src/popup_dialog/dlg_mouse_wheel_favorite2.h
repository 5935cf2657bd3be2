#pragma once
// One-time question how the mouse wheel should act: turn pages or zoom.
#include <cstdint>

#include "dlg_base.h"

class DlgMouseWheelFavorite2 : public CDlgBase {
public:
    DlgMouseWheelFavorite2();
    ~DlgMouseWheelFavorite2() override;

    // The wheel dialog that exists now, so that a second one is not opened.
    static DlgMouseWheelFavorite2* Current();

    const wchar_t* GetWindowClassName() const override { return L"DlgMouseWheelFavorite2"; }
    std::wstring GetSkinFile() override { return L"mousewheel.xml"; }
    void InitWindow() override;
    void Notify(markup::TNotifyUI& msg) override;
    void OnClick(markup::TNotifyUI& msg) override;

    int32_t ChosenAction() const { return m_action; }

private:
    void SaveAndClose();

    int32_t m_action = 0;
    int32_t m_doNotAsk = 1;
};
