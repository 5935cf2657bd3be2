#pragma once
// The viewer's one top-level window.
#include "dialog.h"

class COrbviewDlg : public CDialog {
public:
    COrbviewDlg();

protected:
    BOOL OnInitDialog() override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};
