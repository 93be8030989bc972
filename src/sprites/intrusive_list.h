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

template <class T>
struct ListLink {
    T* Prev = nullptr;
    T* Next = nullptr;
    bool Linked = false;
};

template <class T>
class IntrusiveList {
public:
    IntrusiveList() = default;
    IntrusiveList(const IntrusiveList&) = delete;
    IntrusiveList& operator=(const IntrusiveList&) = delete;

    T* First() const { return first_; }
    T* Last() const { return last_; }
    int Count() const { return count_; }
    bool PassActive() const { return passes_ != nullptr; }

    void PushBack(T& item) {
        item.Link_.Prev = last_;
        item.Link_.Next = nullptr;
        item.Link_.Linked = true;
        (last_ ? last_->Link_.Next : first_) = &item;
        last_ = &item;
        ++count_;
    }

    void PushFront(T& item) {
        item.Link_.Prev = nullptr;
        item.Link_.Next = first_;
        item.Link_.Linked = true;
        (first_ ? first_->Link_.Prev : last_) = &item;
        first_ = &item;
        ++count_;
    }

    // Unlinks a linked item; passes standing on it step back to its predecessor.
    void Remove(T& item) {
        for (Pass* pass = passes_; pass; pass = pass->outer_) {
            if (pass->current_ == &item) pass->current_ = item.Link_.Prev;
        }
        (item.Link_.Prev ? item.Link_.Prev->Link_.Next : first_) = item.Link_.Next;
        (item.Link_.Next ? item.Link_.Next->Link_.Prev : last_) = item.Link_.Prev;
        item.Link_ = ListLink<T>{};
        --count_;
    }

    // Replaces the order of the whole list: `first` starts a chain through Link_.Next holding
    // exactly the current items (used by SortList, which relinks the existing nodes). Not valid
    // while a pass is active.
    void Relink(T* first) {
        T* prev = nullptr;
        for (T* item = first; item; item = item->Link_.Next) {
            item->Link_.Prev = prev;
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
            current_ = current_ ? current_->Link_.Next : list_.first_;
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
    T* first_ = nullptr;
    T* last_ = nullptr;
    int count_ = 0;
    Pass* passes_ = nullptr; // innermost active pass first
};
