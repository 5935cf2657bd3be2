// The markup UI's windows in this process: building from layouts (bad parts included),
// layout arithmetic and DPI scaling, notifications, caption hit testing and Escape.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

#include <memory>
#include <string>
#include <vector>

#include "auto_init.h"
#include "ui_button.h"
#include "ui_container.h"
#include "ui_list.h"
#include "window_impl_base.h"
#include "zip_builder.h"

using namespace markup;

namespace {

// PNG bytes of a plain w x h picture, made with GDI+ (started by the fixture).
std::string MakePng(int w, int h) {
    Gdiplus::Bitmap bmp(w, h, PixelFormat32bppARGB);
    IStream* stream = nullptr;
    if (FAILED(::CreateStreamOnHGlobal(nullptr, TRUE, &stream))) return {};
    const CLSID png = {0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
    std::string bytes;
    if (bmp.Save(stream, &png, nullptr) == Gdiplus::Ok) {
        STATSTG st = {};
        stream->Stat(&st, STATFLAG_NONAME);
        bytes.resize(size_t(st.cbSize.QuadPart));
        LARGE_INTEGER zero = {};
        stream->Seek(zero, STREAM_SEEK_SET, nullptr);
        ULONG got = 0;
        stream->Read(&bytes[0], ULONG(bytes.size()), &got);
        bytes.resize(got);
    }
    stream->Release();
    return bytes;
}

std::shared_ptr<const ZipArchive> TestArchive() {
    auto zip = std::make_shared<ZipArchive>();
    zip->Open(testzip::Build({{"images/broken.png", "\x89PNG\r\n\x1a\n but not really"},
                              {"images/a.png", MakePng(4, 2)},
                              {"images/a@2x.png", MakePng(8, 4)},
                              {"images/b.png", MakePng(6, 6)}}));
    return zip;
}

class TestWindow : public WindowImplBase {
public:
    explicit TestWindow(std::string xml) : m_xml(std::move(xml)) {}
    const wchar_t* GetWindowClassName() const override { return L"MarkupTestWindow"; }
    std::wstring GetSkinFile() override { return L"test.xml"; }
    void Notify(TNotifyUI& msg) override {
        log.push_back(msg.sType + L":" + (msg.pSender ? msg.pSender->GetName() : L""));
        WindowImplBase::Notify(msg);
    }
    void OnClick(TNotifyUI& msg) override {
        clicks.push_back(msg.pSender->GetName());
        WindowImplBase::OnClick(msg);
    }
    std::vector<std::wstring> log;
    std::vector<std::wstring> clicks;

protected:
    bool LoadLayout(std::string& xml) override {
        xml = m_xml;
        return true;
    }
    ResourceSource ResolveResources() override { return ResourceSource(TestArchive(), L""); }

private:
    std::string m_xml;
};

class MarkupWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_gdiplus = new FCAutoInitGDIPlus(); }
    static void TearDownTestSuite() {
        delete s_gdiplus;
        s_gdiplus = nullptr;
    }
    std::unique_ptr<TestWindow> Open(const std::string& xml) {
        auto w = std::make_unique<TestWindow>(xml);
        EXPECT_NE(w->Create(nullptr, L"", WS_POPUP | WS_VISIBLE, 0, RECT{0, 0, 0, 0}), nullptr);
        ::ShowWindow(w->GetHWND(), SW_SHOWNOACTIVATE);
        ::UpdateWindow(w->GetHWND());
        Pump();
        return w;
    }
    static void Pump() {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    static void Click(TestWindow& w, const RECT& rc) {
        const LPARAM at = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
        ::SendMessageW(w.GetHWND(), WM_MOUSEMOVE, 0, at);
        ::SendMessageW(w.GetHWND(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::SendMessageW(w.GetHWND(), WM_LBUTTONUP, 0, at);
    }
    static FCAutoInitGDIPlus* s_gdiplus;
};
FCAutoInitGDIPlus* MarkupWindowTest::s_gdiplus = nullptr;

TEST_F(MarkupWindowTest, UnknownAndBrokenPartsAreLeftOut) {
    auto w = Open(
        "<Window size=\"200,120\" bogus=\"1\" caption=\"junk\">"
        "<Font id=\"0\" name=\"Tahoma\" size=\"13\"/><Font id=\"x\" name=\"Tahoma\"/>"
        "<Font id=\"1\" name=\"a-face-name-that-is-far-too-long-for-any-font-table\" size=\"9999\"/>"
        "<VerticalLayout name=\"root\" bkcolor=\"nope\" inset=\"a,b\">"
        "<Frobnicate name=\"alien\"><Label name=\"inside_alien\"/></Frobnicate>"
        "<Label name=\"label\" wobble=\"3\" font=\"99\" text=\"t\" bkimage=\"file='missing.png'\" pos=\"1,2\"/>"
        "<Button name=\"button\" height=\"30\" normalimage=\"file='images/broken.png'\" hotimage=\"file='\"/>"
        "</VerticalLayout></Window>");
    ASSERT_NE(w->GetHWND(), nullptr);
    EXPECT_EQ(w->FindControl(L"alien"), nullptr);
    EXPECT_EQ(w->FindControl(L"inside_alien"), nullptr);
    ASSERT_NE(w->FindControl(L"label"), nullptr);
    ASSERT_NE(w->FindControl(L"button"), nullptr);
    CPaintManagerUI& pm = w->PaintManager();
    EXPECT_EQ(pm.GetImage("images/broken.png"), nullptr);
    EXPECT_EQ(pm.GetImage("missing.png"), nullptr);
    EXPECT_EQ(pm.GetImage("../escape.png"), nullptr);
    // Unknown font indexes fall back to the default font.
    EXPECT_NE(pm.GetFont(99), nullptr);
    EXPECT_EQ(pm.GetFont(99), pm.GetFont(-1));
    EXPECT_NE(pm.GetFont(1), nullptr);
    const RECT rc = w->FindControl(L"button")->GetPos();
    EXPECT_EQ(rc.bottom - rc.top, 30);
    // Painting with the broken pieces works.
    ::InvalidateRect(w->GetHWND(), nullptr, FALSE);
    ::UpdateWindow(w->GetHWND());
}

TEST_F(MarkupWindowTest, LayoutArithmeticAndDpiScaling) {
    const std::string xml =
        "<Window size=\"300,200\">"
        "<VerticalLayout name=\"v\" inset=\"10,10,10,10\" childpadding=\"4\">"
        "<HorizontalLayout name=\"bar\" height=\"30\" padding=\"0,5\">"
        "<Label name=\"ico\" width=\"90\" padding=\"8,2\"/><Control/><Button name=\"cls\" width=\"24\"/>"
        "</HorizontalLayout>"
        "<Label name=\"fill\"/>"
        "<Label name=\"foot\" height=\"20\"/>"
        "<Container name=\"area\" float=\"true\" pos=\"0,150,300,190\">"
        "<Button name=\"flt\" float=\"true\" pos=\"108,0,232,36\"/></Container>"
        "</VerticalLayout></Window>";
    auto w = Open(xml);
    RECT client;
    ::GetClientRect(w->GetHWND(), &client);
    EXPECT_EQ(client.right, 300);
    EXPECT_EQ(client.bottom, 200);
    auto pos = [&](const wchar_t* n) { return w->FindControl(n)->GetPos(); };
    EXPECT_EQ(pos(L"bar").top, 15);
    EXPECT_EQ(pos(L"bar").bottom, 45);
    EXPECT_EQ(pos(L"ico").left, 18);
    EXPECT_EQ(pos(L"ico").right, 108);
    EXPECT_EQ(pos(L"cls").right, 290);
    // The flexible label takes what the fixed ones leave: 180 - 5 - 30 - 4 - 4 - 20.
    EXPECT_EQ(pos(L"fill").top, 49);
    EXPECT_EQ(pos(L"fill").bottom - pos(L"fill").top, 117);
    EXPECT_EQ(pos(L"foot").bottom, 190);
    EXPECT_EQ(pos(L"flt").left, 108);
    EXPECT_EQ(pos(L"flt").top, 150);
    EXPECT_EQ(pos(L"flt").right, 232);

    // At twice the DPI every length doubles.
    auto big = std::make_unique<TestWindow>(xml);
    ASSERT_NE(big->Create(nullptr, L"", WS_POPUP, 0, RECT{0, 0, 0, 0}), nullptr);
    big->PaintManager().SetDpi(192);
    ::SetWindowPos(big->GetHWND(), nullptr, 0, 0, 600, 400, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    big->PaintManager().LayoutIfNeeded();
    EXPECT_EQ(big->FindControl(L"flt")->GetPos().left, 216);
    EXPECT_EQ(big->FindControl(L"flt")->GetPos().top, 300);
    EXPECT_EQ(big->FindControl(L"bar")->GetPos().bottom, 90);
}

TEST_F(MarkupWindowTest, ExtremeLayoutsStayBounded) {
    std::string xml = "<Window size=\"100000,100000\"><VerticalLayout name=\"v\" childpadding=\"100000\">";
    for (int i = 0; i < 3000; ++i) xml += "<Label height=\"100000\" padding=\"0,100000,0,100000\"/>";
    xml += "<HorizontalLayout name=\"row\"><Button name=\"b\"/><Label name=\"first_label\"/></HorizontalLayout>";
    xml += "</VerticalLayout></Window>";
    auto w = Open(xml);
    ASSERT_NE(w->GetHWND(), nullptr);
    w->PaintManager().LayoutIfNeeded();
    // The window itself is kept to a size the system can afford.
    RECT win;
    ::GetWindowRect(w->GetHWND(), &win);
    EXPECT_LE(win.right - win.left, std::max(4096, 2 * ::GetSystemMetrics(SM_CXVIRTUALSCREEN)));
    // Far beyond the window, but placed without wrapping round to negative positions.
    EXPECT_GE(w->FindControl(L"b")->GetPos().top, 0);
    auto* row = dynamic_cast<CContainerUI*>(w->FindControl(L"row"));
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->FindFirstChildOfClass(L"LabelUI"), w->FindControl(L"first_label"));
    EXPECT_EQ(row->FindFirstChildOfClass(L"ListUI"), nullptr);
}

TEST_F(MarkupWindowTest, HighDpiScreensUseDoubleSizeImagesWhereThereAreAny) {
    auto w = Open("<Window size=\"50,50\"><Label bkimage=\"file='images/a.png' source='0,0,4,2'\"/></Window>");
    CPaintManagerUI& pm = w->PaintManager();
    int k = 0;
    Gdiplus::Bitmap* a = pm.GetImage("images/a.png", &k);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->GetWidth(), 4u);
    EXPECT_EQ(k, 1);
    pm.SetDpi(192);
    a = pm.GetImage("images/a.png", &k);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->GetWidth(), 8u);
    EXPECT_EQ(k, 2);
    Gdiplus::Bitmap* b = pm.GetImage("images/b.png", &k);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->GetWidth(), 6u);
    EXPECT_EQ(k, 1);
    ::InvalidateRect(w->GetHWND(), nullptr, FALSE);
    ::UpdateWindow(w->GetHWND());
}

TEST_F(MarkupWindowTest, NotificationsByTypeName) {
    auto w = Open(
        "<Window size=\"300,300\"><VerticalLayout>"
        "<Button name=\"btn\" height=\"30\"/>"
        "<Option name=\"a\" group=\"g\" height=\"30\" selected=\"true\"/>"
        "<Option name=\"b\" group=\"g\" height=\"30\"/>"
        "<CheckBox name=\"chk\" height=\"30\"/>"
        "<List name=\"list\" height=\"60\"><ListTextElement name=\"i0\" height=\"30\" text=\"zero\"/>"
        "<ListTextElement name=\"i1\" height=\"30\" text=\"one\"/></List>"
        "<TabLayout name=\"tabs\" height=\"30\"><Label name=\"p0\"/><Label name=\"p1\"/></TabLayout>"
        "<Label name=\"rest\"/>"
        "</VerticalLayout></Window>");
    // "windowinit" came once, with the first paint.
    EXPECT_EQ(std::count(w->log.begin(), w->log.end(), L"windowinit:"), 1);
    w->log.clear();

    Click(*w, w->FindControl(L"btn")->GetPos());
    EXPECT_EQ(w->clicks, std::vector<std::wstring>{L"btn"});
    EXPECT_NE(std::find(w->log.begin(), w->log.end(), L"mouseenter:btn"), w->log.end());

    w->log.clear();
    Click(*w, w->FindControl(L"b")->GetPos());
    auto* a = dynamic_cast<COptionUI*>(w->FindControl(L"a"));
    auto* b = dynamic_cast<COptionUI*>(w->FindControl(L"b"));
    EXPECT_TRUE(b->IsSelected());
    EXPECT_FALSE(a->IsSelected());
    EXPECT_NE(std::find(w->log.begin(), w->log.end(), L"mouseleave:btn"), w->log.end());
    // Only the option that became selected tells.
    EXPECT_EQ(std::count(w->log.begin(), w->log.end(), L"selectchanged:b"), 1);
    EXPECT_EQ(std::count(w->log.begin(), w->log.end(), L"selectchanged:a"), 0);
    // Clicking the selected option of a group keeps it selected, without a change.
    w->log.clear();
    Click(*w, w->FindControl(L"b")->GetPos());
    EXPECT_TRUE(b->IsSelected());
    EXPECT_EQ(std::count(w->log.begin(), w->log.end(), L"selectchanged:b"), 0);

    auto* chk = dynamic_cast<CCheckBoxUI*>(w->FindControl(L"chk"));
    Click(*w, chk->GetPos());
    EXPECT_TRUE(chk->GetCheck());
    Click(*w, chk->GetPos());
    EXPECT_FALSE(chk->GetCheck());
    chk->SetCheck(true, false);
    EXPECT_TRUE(chk->GetCheck());

    w->log.clear();
    Click(*w, w->FindControl(L"i1")->GetPos());
    auto* list = dynamic_cast<CListUI*>(w->FindControl(L"list"));
    EXPECT_EQ(list->GetCurSel(), 1);
    EXPECT_EQ(std::count(w->log.begin(), w->log.end(), L"itemselect:list"), 1);

    auto* tabs = dynamic_cast<CTabLayoutUI*>(w->FindControl(L"tabs"));
    w->log.clear();
    EXPECT_TRUE(tabs->SelectItem(1));
    EXPECT_FALSE(tabs->SelectItem(5));
    EXPECT_EQ(w->log, std::vector<std::wstring>{L"tabselect:tabs"});
    w->PaintManager().LayoutIfNeeded();
    EXPECT_FALSE(w->FindControl(L"p0")->IsVisible());
    EXPECT_TRUE(w->FindControl(L"p1")->IsVisible());
}

TEST_F(MarkupWindowTest, CaptionDragsExceptOverControlsThatTakeClicks) {
    auto w = Open(
        "<Window size=\"200,100\" caption=\"0,0,0,40\"><VerticalLayout>"
        "<HorizontalLayout height=\"40\"><Label name=\"title\"/><Button name=\"cls\" width=\"30\"/></HorizontalLayout>"
        "<Label name=\"body\"/></VerticalLayout></Window>");
    RECT win;
    ::GetWindowRect(w->GetHWND(), &win);
    auto hit = [&](int x, int y) {
        return ::SendMessageW(w->GetHWND(), WM_NCHITTEST, 0, MAKELPARAM(win.left + x, win.top + y));
    };
    EXPECT_EQ(hit(20, 20), HTCAPTION);
    EXPECT_EQ(hit(185, 20), HTCLIENT);
    EXPECT_EQ(hit(20, 70), HTCLIENT);
}

TEST_F(MarkupWindowTest, EscapeDeclinesAndModalLoopReturnsTheCode) {
    enum How { kEscape, kCloseWithCode, kSystemClose };
    for (const How how : {kEscape, kCloseWithCode, kSystemClose}) {
        auto w = std::make_unique<TestWindow>(
            "<Window size=\"100,60\"><VerticalLayout><Button name=\"closebtn\"/></VerticalLayout></Window>");
        ASSERT_NE(w->Create(nullptr, L"", WS_POPUP, 0, RECT{0, 0, 0, 0}), nullptr);
        if (how == kEscape) ::PostMessageW(w->GetHWND(), WM_KEYDOWN, VK_ESCAPE, 0);
        else if (how == kCloseWithCode) w->Close(7);
        else ::PostMessageW(w->GetHWND(), WM_CLOSE, 0, 0);  // Alt+F4 and the like decline
        EXPECT_EQ(w->ShowModal(), how == kCloseWithCode ? 7u : 2u);
        EXPECT_FALSE(::IsWindow(w->GetHWND()));
    }
}

TEST_F(MarkupWindowTest, QuitEndsTheModalLoopAndIsPostedAgain) {
    auto w = std::make_unique<TestWindow>("<Window size=\"100,60\"><VerticalLayout/></Window>");
    ASSERT_NE(w->Create(nullptr, L"", WS_POPUP, 0, RECT{0, 0, 0, 0}), nullptr);
    ::PostQuitMessage(42);
    w->ShowModal();
    MSG msg = {};
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 42u);
}

}  // namespace
