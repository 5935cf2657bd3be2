// Which neighbours are warmed up, and sorting names that do not order consistently.
#include <gtest/gtest.h>

#include <algorithm>

#include "folder_list_model.h"
#include "preload_plan.h"

namespace {

bool NotRaw(const std::wstring& name) { return name.find(L".raw") == std::wstring::npos; }

TEST(PreloadPlanTest, OffsetsByDirection) {
    std::deque<std::wstring> ten;
    for (int i = 0; i < 10; ++i) ten.push_back(L"n" + std::to_wstring(i) + L".jpg");
    struct Case {
        int direction, index;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {kDirectionForward, 4, {5, 6, 7}}, {kDirectionBackward, 4, {3, 2, 1}},
        {kDirectionNone, 4, {5, 3, 6, 7}}, {kDirectionNone, 0, {1, 2, 3}},
        {kDirectionForward, 9, {}},        {kDirectionBackward, 1, {0}},
        {7, 4, {5, 3, 6, 7}},  // unknown direction counts as none
        {kDirectionNone, -1, {0, 1, 2}},   // no position: nothing before the list
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlanWarmUps(c.direction, c.index, ten, {}, NotRaw), c.expected)
            << c.direction << " " << c.index;

    ten[5] = L"n5.raw";
    EXPECT_EQ(PlanWarmUps(kDirectionForward, 4, ten, {L"n6.jpg"}, NotRaw), std::vector<int>({7}));
    EXPECT_TRUE(PlanWarmUps(kDirectionNone, 0, {}, {}, NotRaw).empty());
    EXPECT_TRUE(IsThumbnailCacheType(1) && IsThumbnailCacheType(5));
    EXPECT_FALSE(IsThumbnailCacheType(0) || IsThumbnailCacheType(6) || IsThumbnailCacheType(7));
}

TEST(SortNamesTest, OrdersAndSurvivesAnInconsistentComparison) {
    std::vector<std::wstring> names = {L"d", L"b", L"a", L"c", L"b", L"e"};
    SortNames(names, [](const std::wstring& a, const std::wstring& b) { return a.compare(b); });
    EXPECT_EQ(names, std::vector<std::wstring>({L"a", L"b", L"b", L"c", L"d", L"e"}));

    // A comparison that contradicts itself must not lose, duplicate or overrun names.
    std::vector<std::wstring> many;
    for (int i = 0; i < 1000; ++i) many.push_back(std::to_wstring(i * 7919 % 1000));
    std::vector<std::wstring> sorted = many;
    int calls = 0;
    SortNames(sorted, [&calls](const std::wstring&, const std::wstring&) {
        return (++calls % 3) - 1;
    });
    std::sort(many.begin(), many.end());
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, many);

    // A stop request ends the sort within one merge of two runs.
    std::vector<std::wstring> stopped = many;
    int compares = 0, checks = 0;
    SortNames(
        stopped,
        [&compares](const std::wstring& a, const std::wstring& b) {
            ++compares;
            return a.compare(b);
        },
        [&checks] { return ++checks > 3; });
    EXPECT_EQ(stopped.size(), many.size());
    EXPECT_LE(compares, 3);
}

}  // namespace
