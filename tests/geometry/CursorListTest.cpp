#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "geometry/CursorList.h"
#include "geometry/PointList.h"

namespace {

CCursorList<int> MakeList(int count)
{
    CCursorList<int> list;
    for (int i = 0; i < count; ++i) {
        list.AddTail(i);
    }
    return list;
}

// Every node's index is -1 except the cursor's, which is its true position.
void ExpectOnlyCursorIndexed(const CCursorList<int>& list, int cursorPos)
{
    int pos = 0;
    int indexed = 0;
    for (auto* node = list.GetHead(); node != nullptr; node = node->next, ++pos) {
        if (node->index != -1) {
            ++indexed;
            EXPECT_EQ(node->index, pos);
            EXPECT_EQ(node, list.GetCursor());
        }
    }
    EXPECT_EQ(indexed, cursorPos < 0 ? 0 : 1);
}

}  // namespace

TEST(CursorListWalk, NeighbouringLookupsStepFromTheCursor)
{
    CCursorList<int> list = MakeList(100);
    EXPECT_EQ(list.GetAt(50)->element, 50);
    EXPECT_EQ(list.GetAt(51)->element, 51);
    EXPECT_EQ(list.LastWalkSteps(), 1);
    EXPECT_EQ(list.GetAt(49)->element, 49);
    EXPECT_EQ(list.LastWalkSteps(), 2);
    ExpectOnlyCursorIndexed(list, 49);
}

TEST(CursorListWalk, EndsNeedNoStepWithoutCursor)
{
    CCursorList<int> list = MakeList(100);
    EXPECT_EQ(list.GetAt(0)->element, 0);
    EXPECT_EQ(list.LastWalkSteps(), 0);
    CCursorList<int> other = MakeList(100);
    EXPECT_EQ(other.GetAt(99)->element, 99);
    EXPECT_EQ(other.LastWalkSteps(), 0);
}

TEST(CursorListWalk, BackwardsFromCursorNearHead)
{
    CCursorList<int> list = MakeList(100);
    list.GetAt(10);
    EXPECT_EQ(list.GetAt(5)->element, 5);
    EXPECT_EQ(list.LastWalkSteps(), 5);
    ExpectOnlyCursorIndexed(list, 5);
}

TEST(CursorListWalk, RandomLookupsMatchAnArray)
{
    std::mt19937 rng(7);
    CCursorList<int> list;
    std::vector<int> model;
    for (int round = 0; round < 3000; ++round) {
        const int op = static_cast<int>(rng() % 4);
        if (op == 0 || model.empty()) {
            const int v = static_cast<int>(rng() % 1000);
            list.AddTail(v);
            model.push_back(v);
        } else if (op == 1) {
            const int v = list.RemoveTail();
            EXPECT_EQ(v, model.back());
            if (model.size() > 1) {
                model.pop_back();
            }
        } else {
            const int i = static_cast<int>(rng() % model.size());
            ASSERT_EQ(list.GetAt(i)->element, model[static_cast<std::size_t>(i)]);
        }
        ASSERT_EQ(list.GetCount(), static_cast<int>(model.size()));
    }
}

TEST(CursorListRemoveTail, LastNodeStays)
{
    CCursorList<int> list = MakeList(1);
    EXPECT_EQ(list.RemoveTail(), 0);
    EXPECT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.GetAt(0)->element, 0);
}

TEST(CursorListRemoveTail, DropsCursorOnRemovedNode)
{
    CCursorList<int> list = MakeList(5);
    list.GetAt(4);
    EXPECT_EQ(list.RemoveTail(), 4);
    EXPECT_EQ(list.GetCursor(), nullptr);
    EXPECT_EQ(list.GetAt(3)->element, 3);
    EXPECT_EQ(list.GetTail()->next, nullptr);
    // A freed node is reused without disturbing the order.
    list.AddTail(40);
    EXPECT_EQ(list.GetAt(4)->element, 40);
    EXPECT_EQ(list.GetAt(2)->element, 2);
}

TEST(CursorListInsertSorted, AscendingOrder)
{
    CCursorList<int> list(true);
    EXPECT_EQ(list.InsertSorted(30, 3), nullptr);
    EXPECT_EQ(list.InsertSorted(10, 1), nullptr);
    EXPECT_EQ(list.InsertSorted(20, 2), nullptr);
    ASSERT_EQ(list.GetCount(), 3);
    EXPECT_EQ(list.GetAt(0)->element, 10);
    EXPECT_EQ(list.GetAt(1)->element, 20);
    EXPECT_EQ(list.GetAt(2)->element, 30);
    EXPECT_EQ(list.GetHead()->prev, nullptr);
    EXPECT_EQ(list.GetTail()->next, nullptr);
}

TEST(CursorListInsertSorted, RefusedDuplicateReturnsExistingNode)
{
    CCursorList<int> list(false);
    list.InsertSorted(30, 3);
    list.InsertSorted(10, 1);
    list.InsertSorted(20, 2);
    auto* existing = list.InsertSorted(99, 2);
    ASSERT_NE(existing, nullptr);
    EXPECT_EQ(existing->element, 20);
    EXPECT_EQ(existing->key, 2);
    EXPECT_EQ(list.GetCount(), 3);
    // Also on the last node, whose key the scan does not compare.
    auto* last = list.InsertSorted(98, 3);
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->element, 30);
    EXPECT_EQ(list.GetCount(), 3);
}

TEST(CursorListInsertSorted, LargerKeyAppendsEqualKeyGoesBefore)
{
    CCursorList<int> list(true);
    list.InsertSorted(1, 1);
    list.InsertSorted(5, 5);
    list.InsertSorted(9, 9);
    EXPECT_EQ(list.GetTail()->element, 9);
    list.InsertSorted(55, 5);
    EXPECT_EQ(list.GetAt(1)->element, 55);
    EXPECT_EQ(list.GetAt(2)->element, 5);
    list.InsertSorted(99, 9);
    EXPECT_EQ(list.GetAt(3)->element, 99);
    EXPECT_EQ(list.GetTail()->element, 9);
    list.InsertSorted(0, 0);
    EXPECT_EQ(list.GetHead()->element, 0);
    EXPECT_EQ(list.GetCount(), 6);
}

TEST(CursorListInsertSorted, DropsCursorSoPositionsStayTrue)
{
    CCursorList<int> list(true);
    for (int k = 1; k <= 5; ++k) {
        list.InsertSorted(k * 10, k);
    }
    EXPECT_EQ(list.GetAt(3)->element, 40);
    list.InsertSorted(5, 0.5);
    EXPECT_EQ(list.GetCursor(), nullptr);
    EXPECT_EQ(list.GetAt(3)->element, 30);
    ExpectOnlyCursorIndexed(list, 3);
}

TEST(CursorListLifetime, LongListFreesWithoutRecursion)
{
    CPointList list;
    for (int i = 0; i < 2'000'000; ++i) {
        list.AddTail(TimedPoint{i, -i, 0.0});
    }
    EXPECT_EQ(list.GetAt(1'999'999)->element.x, 1'999'999);
    list.RemoveAll();
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.GetHead(), nullptr);
    EXPECT_EQ(list.GetCursor(), nullptr);
    list.AddTail(TimedPoint{1, 2, 3.0});
    EXPECT_EQ(list.GetAt(0)->element.time, 3.0);
}

TEST(CursorListDeathTest, IndexOutsideListEndsProcess)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            CCursorList<int> list = MakeList(3);
            list.GetAt(3);
        },
        testing::ExitedWithCode(248), "");
    EXPECT_EXIT(
        {
            CCursorList<int> empty;
            empty.GetAt(0);
        },
        testing::ExitedWithCode(248), "");
    EXPECT_EXIT(
        {
            CCursorList<int> list = MakeList(3);
            list.GetAt(-1);
        },
        testing::ExitedWithCode(248), "");
}
