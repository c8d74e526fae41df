#pragma once

#include <cstddef>
#include <memory>
#include <vector>

// An ordered collection that owns its items. An item stays at the same
// address until it is deleted or the collection cleared, so views and workers
// may hold a pointer to it for that long.
template <typename T> class TOwnedCollection {
public:
    TOwnedCollection() = default;
    TOwnedCollection(const TOwnedCollection&) = delete;
    TOwnedCollection& operator=(const TOwnedCollection&) = delete;

    int Count() const { return static_cast<int>(fItems.size()); }
    bool Empty() const { return fItems.empty(); }
    // Index must lie in 0..Count-1.
    T& Items(int Index) const { return *fItems[static_cast<std::size_t>(Index)]; }
    T& operator[](int Index) const { return Items(Index); }

    // Appends a new default item and returns it.
    T& Add() { return *fItems.emplace_back(std::make_unique<T>()); }
    void Delete(int Index) { fItems.erase(fItems.begin() + Index); }
    void Clear() { fItems.clear(); }

    // Iterates the items in order as T&.
    class TIterator {
    public:
        using Base = typename std::vector<std::unique_ptr<T>>::const_iterator;
        explicit TIterator(Base It) : fIt(It) {}
        T& operator*() const { return **fIt; }
        TIterator& operator++()
        {
            ++fIt;
            return *this;
        }
        bool operator!=(const TIterator& Other) const { return fIt != Other.fIt; }

    private:
        Base fIt;
    };
    TIterator begin() const { return TIterator(fItems.begin()); }
    TIterator end() const { return TIterator(fItems.end()); }

private:
    std::vector<std::unique_ptr<T>> fItems;
};
