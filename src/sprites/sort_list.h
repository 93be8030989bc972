#pragma once
// Stable merge sort of an intrusive list in place. The existing nodes are relinked (every
// object keeps its own node; nothing is allocated).
//
// compare(a, b) returns -1, 0 or 1 like Sprite::CompareOrder. The list is split after its first
// (count + 1) / 2 elements, both halves are sorted, and the merge takes the element of the first
// half whenever compare(first-half element, second-half element) is less than 1, so equal
// elements keep their order. count -1 sorts the whole list; otherwise only the first `count`
// elements are sorted and the rest stays behind them unchanged.
#include <algorithm>

#include "sprites/intrusive_list.h"

namespace SortListDetail {

template <class T> struct Run {
    T* Head;
    T* Tail;
};

// Sorts the `n` (at least 1) items starting at `cursor`, advancing `cursor` past them. The
// result is chained through Link_.Next only; the caller rebuilds Link_.Prev.
template <class T, class Compare> Run<T> SortRun(T*& cursor, int n, Compare& compare) {
    if (n == 1) {
        T* item = cursor;
        cursor = item->Link_.Next;
        item->Link_.Next = nullptr;
        return {item, item};
    }
    const int firstCount = (n + 1) / 2;
    Run<T> a = SortRun(cursor, firstCount, compare);
    Run<T> b = SortRun(cursor, n - firstCount, compare);

    T* head = nullptr;
    T** tailNext = &head;
    T* tail = nullptr;
    T* x = a.Head;
    T* y = b.Head;
    while (x && y) {
        if (compare(*x, *y) < 1) {
            *tailNext = x;
            tail = x;
            x = x->Link_.Next;
        } else {
            *tailNext = y;
            tail = y;
            y = y->Link_.Next;
        }
        tailNext = &tail->Link_.Next;
    }
    // One run is used up: the rest of the other is already in order and keeps its own tail.
    *tailNext = x ? x : y;
    return {head, x ? a.Tail : (y ? b.Tail : tail)};
}

} // namespace SortListDetail

template <class T, class Compare> void SortList(IntrusiveList<T>& list, Compare compare, int count = -1) {
    const int n = count < 0 ? list.Count() : std::min(count, list.Count());
    if (n < 2) return;
    T* cursor = list.First();
    SortListDetail::Run<T> run = SortListDetail::SortRun(cursor, n, compare);
    run.Tail->Link_.Next = cursor; // the unsorted rest, if any
    list.Relink(run.Head);
}
