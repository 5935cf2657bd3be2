#include <gtest/gtest.h>

#include "title_model.h"

namespace {

TitleTexts English() {
    TitleTexts t;
    t.mp10 = L"MP";
    return t;
}

TitleTexts Chinese() {
    TitleTexts t;
    t.mp10 = L"千万像素";
    t.mp11 = L"千";
    t.mp12 = L"百万像素";
    t.mp13 = L"约";
    t.year = L"年";
    t.month = L"月";
    t.day = L"日";
    t.chinese = true;
    t.cjk = true;
    return t;
}

struct Case {
    const wchar_t* path;
    const wchar_t* date;
    int width, height;
    bool chinese;
    const wchar_t* expected;
};

TEST(TitleModelTest, ComposesEveryForm) {
    const Case cases[] = {
        {L"C:\\p\\abcdef.jpg", nullptr, 800, 600, false, L"abcdef.jpg ( 800x600 ) -  100%"},
        {L"C:\\p\\abcdefg.jpg", nullptr, 800, 600, false, L"abcdefg.jp...jpg ( 800x600 ) -  100%"},
        {L"C:\\p\\abcdefghijk.jpg", nullptr, 10, 10, false, L"abcdefghij...jpg ( 10x10 ) -  100%"},
        {L"C:\\p\\abcdefghijklm", nullptr, 10, 10, false, L"abcdefghij... ( 10x10 ) -  100%"},
        {L"C:\\p\\a.png", nullptr, 4000, 3000, false, L"a.png ( 4000x3000 , 12M MP ) -  100%"},
        {L"C:\\p\\a.png", nullptr, 1000, 1000, false, L"a.png ( 1000x1000 ) -  100%"},
        {L"C:\\p\\a.png", nullptr, 1000, 1001, false, L"a.png ( 1000x1001 , 1M MP ) -  100%"},
        {L"C:\\p\\a.png", nullptr, 1000, 1000, true, L"a.png ( 1000x1000 , 约1百万像素 ) -  100%"},
        {L"C:\\p\\a.png", nullptr, 4000, 3000, true, L"a.png ( 4000x3000 , 1千2百万像素 ) -  100%"},
        {L"C:\\p\\a.png", nullptr, 4000, 3000, true, L"a.png ( 4000x3000 , 1千2百万像素 ) -  100%"},
        {L"C:\\p\\a.png", nullptr, 4000, 5000, true, L"a.png ( 4000x5000 , 2千万像素 ) -  100%"},
        {L"C:\\p\\a.png", nullptr, 999, 1000, true, L"a.png ( 999x1000 ) -  100%"},
        {L"C:\\p\\a.jpg", L"2024:05:06 07:08:09", 10, 10, true, L"a.jpg ( 10x10 , 2024年05月06日 ) -  100%"},
        {L"C:\\p\\a.jpg", L"2024:05:06 07:08:09", 10, 10, false, L"a.jpg ( 10x10 , 2024:05:06 07:08:09 ) -  100%"},
        {L"C:\\p\\a.jpg", L"2024:05:06", 10, 10, true, L"a.jpg ( 10x10 , 2024:05:06 ) -  100%"},
        {L"C:\\p\\a.jpg", nullptr, 0, 0, false, L"a.jpg - "},
        {L"", nullptr, 10, 10, false, L""},
    };
    for (const Case& c : cases) {
        const TitleTexts texts = c.chinese ? Chinese() : English();
        CTitleModel model;
        const std::wstring date = c.date ? c.date : L"";
        model.SetPicture(c.path, c.date ? &date : nullptr, c.width, c.height, texts);
        EXPECT_EQ(model.Compose(texts), c.expected) << c.path << " " << c.width << "x" << c.height;
    }
}

TEST(TitleModelTest, PositionAndZoomFollowThePicture) {
    const TitleTexts texts = English();
    CTitleModel model;
    model.SetPicture(L"D:\\x\\pic.gif", nullptr, 640, 480, texts);
    model.SetPosition(L"[", 4, 12, L"]");
    model.SetZoom(0.4567);
    EXPECT_EQ(model.Compose(texts), L"pic.gif ( 640x480 ) - [5/12] 45%");
    model.SetSize(480, 640);
    EXPECT_EQ(model.Compose(texts), L"pic.gif ( 480x640 ) - [5/12] 45%");
    // A new picture clears the position and the zoom.
    model.SetPicture(L"D:\\x\\next.gif", nullptr, 1, 1, texts);
    EXPECT_EQ(model.Compose(texts), L"next.gif ( 1x1 ) -  100%");
}

}  // namespace
