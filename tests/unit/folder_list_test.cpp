#include <gtest/gtest.h>

#include "folder_list_model.h"

namespace {

bool IsPicture(const std::wstring& name) {
    const size_t dot = name.rfind(L'.');
    if (dot == std::wstring::npos) return false;
    const std::wstring ext = name.substr(dot + 1);
    return EqualsIgnoreCase(ext, L"jpg") || EqualsIgnoreCase(ext, L"png");
}

CFolderListModel FiveInFolder(int current) {
    CFolderListModel m;
    m.Start(L"C:\\p", L"a.jpg");
    FolderScanResult r;
    r.names = {L"a.jpg", L"b.jpg", L"c.jpg", L"d.jpg", L"e.jpg"};
    r.index = current;
    m.Adopt(r);
    return m;
}

TEST(FolderListTest, NeighboursWithAndWithoutLoop) {
    struct Case {
        int current, offset;
        bool loop;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {4, 1, false, L""},          {4, 1, true, L"C:\\p\\a.jpg"}, {0, -1, false, L""},
        {0, -1, true, L"C:\\p\\e.jpg"}, {2, 1, false, L"C:\\p\\d.jpg"}, {2, -1, false, L"C:\\p\\b.jpg"},
    };
    for (const Case& c : cases) {
        const CFolderListModel m = FiveInFolder(c.current);
        EXPECT_EQ(m.GetNeighbour(c.offset, c.loop), c.expected) << c.current << c.offset << c.loop;
        EXPECT_EQ(m.CanMove(c.offset, c.loop), *c.expected != 0);
    }
    // A single picture goes nowhere, loop or not.
    CFolderListModel one;
    one.Start(L"C:\\p", L"only.jpg");
    EXPECT_FALSE(one.CanMove(1, true));
    EXPECT_EQ(one.GetNeighbour(-1, true), L"");
}

TEST(FolderListTest, RemoveKeepsAValidPosition) {
    CFolderListModel m = FiveInFolder(4);
    EXPECT_EQ(m.Remove(L"E.JPG"), L"C:\\p\\d.jpg");  // the new last one
    EXPECT_EQ(m.CurrentIndex(), 3);
    CFolderListModel mid = FiveInFolder(1);
    EXPECT_EQ(mid.Remove(L"b.jpg"), L"C:\\p\\c.jpg");  // the follower takes its place
    CFolderListModel one;
    one.Start(L"C:\\p", L"only.jpg");
    EXPECT_EQ(one.Remove(L"only.jpg"), L"");
    EXPECT_EQ(one.CurrentIndex(), -1);
    EXPECT_TRUE(one.Names().empty());
}

TEST(FolderListTest, MoveWithinTheSameFolderOnly) {
    CFolderListModel m = FiveInFolder(0);
    EXPECT_TRUE(m.MoveTo(L"c:\\P", L"D.jpg"));
    EXPECT_EQ(m.CurrentIndex(), 3);
    EXPECT_FALSE(m.MoveTo(L"C:\\other", L"a.jpg"));
    EXPECT_FALSE(m.MoveTo(L"C:\\p", L"zzz.jpg"));
    std::wstring folder, name;
    SplitPicturePath(L"C:\\a\\b\\pic.jpg", folder, name);
    EXPECT_EQ(folder, L"C:\\a\\b");
    EXPECT_EQ(name, L"pic.jpg");
}

TEST(FolderListTest, ExplorerOrderWinsOnlyWhenItHoldsTheOpenedFile) {
    FolderScanResult r;
    r.subfolders = {L"x.jpg"};
    r.names = {L"a1.jpg", L"a2.jpg", L"a10.jpg", L"b.PNG"};
    MergeExplorerOrder(r, {L"b.PNG", L"x.jpg", L"notes.txt", L"a10.jpg", L"a1.jpg"}, L"a10.JPG",
                       IsPicture);
    EXPECT_EQ(r.names, (std::deque<std::wstring>{L"b.PNG", L"a10.jpg", L"a1.jpg"}));
    EXPECT_EQ(r.index, 1);

    FolderScanResult filtered;
    filtered.names = {L"a1.jpg", L"a2.jpg"};
    MergeExplorerOrder(filtered, {L"a1.jpg"}, L"a2.jpg", IsPicture);
    EXPECT_EQ(filtered.names, (std::deque<std::wstring>{L"a1.jpg", L"a2.jpg"}));
    EXPECT_EQ(filtered.index, 1);

    FolderScanResult absent;
    absent.names = {L"a1.jpg"};
    MergeExplorerOrder(absent, {}, L"gone.jpg", IsPicture);
    EXPECT_EQ(absent.index, -1);
    CFolderListModel m;
    m.Start(L"C:\\p", L"gone.jpg");
    m.Adopt(absent);  // not found: the list keeps the opened name
    EXPECT_EQ(m.Names(), std::deque<std::wstring>{L"gone.jpg"});
}

}  // namespace
