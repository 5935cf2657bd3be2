#pragma once
// The child window that shows the current picture and the items over it.
#include <functional>
#include <memory>
#include <string>

#include "obj_image.h"
#include "view_render.h"
#include "widget_window.h"

// What the view needs of the folder list; set by the program once the list exists.
struct FolderNavigation {
    std::function<void(HWND notify, const std::wstring& path)> collect;
    std::function<bool(int offset)> canMove;
};

class WndMainImageView : public CWidgetWindow {
public:
    WndMainImageView();
    ~WndMainImageView() override;

    bool Create(HWND parent, int id);
    void ShowCurrentImage();
    void ShowSavingTip();
    void RotateCurrent(int direction);
    void EndSizing();
    void BeginSizing() { m_sizing = true; }
    void CloseContextMenu() {}
    void ZoomStep(int steps);
    void ToggleActual();
    void ScrollVertical(int direction);
    BOOL DestroyWindow() override;

    CViewRender* Render() const { return m_render.get(); }
    RECT ImageArea() const;
    static void SetFolderNavigation(FolderNavigation navigation);
    // Asked once when the wheel's meaning is not settled; may change the configuration.
    static void SetWheelQuestion(std::function<void(HWND owner)> ask);

protected:
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnDrawBackground(HDC dc, const RECT& dirty) override;
    void OnLButtonDown(int x, int y) override;
    void OnLButtonDblClk(int x, int y) override;

private:
    bool ActOnItem(int x, int y);
    void OnWheel(WPARAM wParam, LPARAM lParam);
    void OnFolderCollected();
    void Drag(int x, int y);
    void RemoveTransientItems();
    void RefreshAfterZoom();

    bool m_sizing = false;
    std::unique_ptr<CViewRender> m_render;
    FCObjImage m_indicator, m_indicatorMirrored, m_loading, m_tipBackground;
};
