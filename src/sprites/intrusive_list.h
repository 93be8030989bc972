#pragma once
// An intrusive doubly linked list: every object carries its own node (a public or befriended
// member `Link_` of type ListLink<T>), so linking and unlinking never allocate.
//
// Passes over a list survive anything their loop body does to the list: removing the current
// object, the next one or any other, and appending new objects (which the pass then reaches).
// A Pass registers itself with the list; Remove moves every pass standing on the removed object
// back to its predecessor, so the pass continues with whatever follows it now.
//
//     for (IntrusiveList<Sprite>::Pass pass(list); Sprite* s = pass.Next();) { ... }
//
// An object in two lists has a second node; the list's `Access` names it (default: Link_).

template <class T> struct ListLink {
    T* Prev = nullptr;
    T* Next = nullptr;
    bool Linked = false;
};

template <class T> struct LinkMember {
    static ListLink<T>& Of(T& item) { return item.Link_; }
};

template <class T, class Access = LinkMember<T>> class IntrusiveList {
public:
    IntrusiveList() = default;
    IntrusiveList(const IntrusiveList&) = delete;
    IntrusiveList& operator=(const IntrusiveList&) = delete;

    T* First() const { return first_; }
    T* Last() const { return last_; }
    int Count() const { return count_; }
    bool PassActive() const { return passes_ != nullptr; }

    void PushBack(T& item) {
        L(item).Prev = last_;
        L(item).Next = nullptr;
        L(item).Linked = true;
        (last_ ? L(*last_).Next : first_) = &item;
        last_ = &item;
        ++count_;
    }

    void PushFront(T& item) {
        L(item).Prev = nullptr;
        L(item).Next = first_;
        L(item).Linked = true;
        (first_ ? L(*first_).Prev : last_) = &item;
        first_ = &item;
        ++count_;
    }

    // Unlinks a linked item; passes standing on it step back to its predecessor.
    void Remove(T& item) {
        for (Pass* pass = passes_; pass; pass = pass->outer_) {
            if (pass->current_ == &item) pass->current_ = L(item).Prev;
        }
        (L(item).Prev ? L(*L(item).Prev).Next : first_) = L(item).Next;
        (L(item).Next ? L(*L(item).Next).Prev : last_) = L(item).Prev;
        L(item) = ListLink<T>{};
        --count_;
    }

    // Replaces the order of the whole list: `first` starts a chain through Link_.Next holding
    // exactly the current items (used by SortList, which relinks the existing nodes). Not valid
    // while a pass is active.
    void Relink(T* first) {
        T* prev = nullptr;
        for (T* item = first; item; item = L(*item).Next) {
            L(*item).Prev = prev;
            prev = item;
        }
        first_ = first;
        last_ = prev;
    }

    class Pass {
    public:
        explicit Pass(IntrusiveList& list) : list_(list), outer_(list.passes_) { list.passes_ = this; }
        ~Pass() { list_.passes_ = outer_; }
        Pass(const Pass&) = delete;
        Pass& operator=(const Pass&) = delete;

        // The next item, or null at the end.
        T* Next() {
            if (done_) return nullptr;
            current_ = current_ ? L(*current_).Next : list_.first_;
            done_ = current_ == nullptr;
            return current_;
        }

    private:
        friend class IntrusiveList;
        IntrusiveList& list_;
        Pass* outer_;
        T* current_ = nullptr; // null: before the first item
        bool done_ = false;
    };

private:
    static ListLink<T>& L(T& item) { return Access::Of(item); }

    T* first_ = nullptr;
    T* last_ = nullptr;
    int count_ = 0;
    Pass* passes_ = nullptr; // innermost active pass first
};
