// The intrusive list's passes and the stable list sort.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "sprites/intrusive_list.h"
#include "sprites/sort_list.h"

namespace {

struct Item {
    int Key = 0;
    int Id = 0;
    ListLink<Item> Link_;
};

int CompareKey(const Item& a, const Item& b) {
    return a.Key < b.Key ? -1 : (a.Key > b.Key ? 1 : 0);
}

std::vector<int> Ids(const IntrusiveList<Item>& list) {
    std::vector<int> ids;
    for (Item* item = list.First(); item; item = item->Link_.Next)
        ids.push_back(item->Id);
    // The backward links must agree with the forward ones.
    std::vector<int> backwards;
    for (Item* item = list.Last(); item; item = item->Link_.Prev)
        backwards.push_back(item->Id);
    std::reverse(backwards.begin(), backwards.end());
    EXPECT_EQ(ids, backwards);
    EXPECT_EQ(int(ids.size()), list.Count());
    return ids;
}

TEST(SortListTest, MatchesAStableSortForManyShapes) {
    std::mt19937 random(7);
    for (int n : {0, 1, 2, 3, 5, 8, 13, 100, 1001}) {
        for (int keys : {1, 3, 1000}) {
            std::vector<Item> items(size_t(n) + 1);
            IntrusiveList<Item> list;
            for (int i = 0; i < n; ++i) {
                items[size_t(i)].Key = int(random() % unsigned(keys));
                items[size_t(i)].Id = i;
                list.PushBack(items[size_t(i)]);
            }
            std::vector<Item> expected(items.begin(), items.begin() + n);
            std::stable_sort(expected.begin(), expected.end(),
                             [](const Item& a, const Item& b) { return a.Key < b.Key; });
            std::vector<int> expectedIds;
            for (const Item& item : expected)
                expectedIds.push_back(item.Id);
            SortList(list, CompareKey);
            EXPECT_EQ(Ids(list), expectedIds) << n << " items, " << keys << " keys";
        }
    }
}

TEST(SortListTest, CountSortsOnlyTheHeadOfTheList) {
    std::vector<Item> items(6);
    IntrusiveList<Item> list;
    const int keys[] = {5, 4, 3, 2, 1, 0};
    for (int i = 0; i < 6; ++i) {
        items[size_t(i)] = Item{keys[i], i, {}};
        list.PushBack(items[size_t(i)]);
    }
    SortList(list, CompareKey, 3);
    EXPECT_EQ(Ids(list), (std::vector<int>{2, 1, 0, 3, 4, 5}));
}

TEST(IntrusiveListTest, PassSurvivesRemovingCurrentNextAndOthers) {
    std::vector<Item> items(8);
    IntrusiveList<Item> list;
    for (int i = 0; i < 8; ++i) {
        items[size_t(i)].Id = i;
        list.PushBack(items[size_t(i)]);
    }
    Item extra{0, 8, {}};
    std::vector<int> visited;
    for (IntrusiveList<Item>::Pass pass(list); Item* item = pass.Next();) {
        visited.push_back(item->Id);
        if (item->Id == 1) {
            list.Remove(items[2]); // the next one
            list.Remove(*item);    // and itself
        }
        if (item->Id == 3) {
            // A nested pass removes the current item of the outer pass and the one after it.
            for (IntrusiveList<Item>::Pass inner(list); Item* other = inner.Next();) {
                if (other->Id == 3 || other->Id == 4) list.Remove(*other);
            }
        }
        if (item->Id == 6) list.Remove(items[0]);
        if (item->Id == 7) list.PushBack(extra); // appended objects are reached
    }
    EXPECT_EQ(visited, (std::vector<int>{0, 1, 3, 5, 6, 7, 8}));
    EXPECT_EQ(Ids(list), (std::vector<int>{5, 6, 7, 8}));
    EXPECT_FALSE(items[2].Link_.Linked);
    list.PushFront(items[2]);
    EXPECT_EQ(Ids(list), (std::vector<int>{2, 5, 6, 7, 8}));
}

} // namespace
