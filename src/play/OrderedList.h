#pragma once
// The ordered lists of the play model: append at the tail, remove, move to the head and
// walk from head to tail. The order is part of the game's behaviour (stacking, selection).
#include <algorithm>
#include <vector>

template <typename T> class OrderedList {
  public:
    void Append(T* item) { items.push_back(item); }
    void Remove(T* item) {
        auto it = std::find(items.begin(), items.end(), item);
        if (it != items.end()) items.erase(it);
    }
    void MoveToHead(T* item) {
        auto it = std::find(items.begin(), items.end(), item);
        if (it == items.end()) return;
        std::rotate(items.begin(), it, it + 1);
    }
    bool Contains(const T* item) const { return std::find(items.begin(), items.end(), item) != items.end(); }
    void Clear() { items.clear(); }
    bool Empty() const { return items.empty(); }
    std::size_t Size() const { return items.size(); }
    T* Head() const { return items.empty() ? nullptr : items.front(); }
    T* Tail() const { return items.empty() ? nullptr : items.back(); }
    T* At(std::size_t i) const { return items[i]; }

    // Head to tail.
    auto begin() const { return items.begin(); }
    auto end() const { return items.end(); }
    // Tail to head.
    auto rbegin() const { return items.rbegin(); }
    auto rend() const { return items.rend(); }

  private:
    std::vector<T*> items;
};
