#pragma once

#include "persistence/RegistryCaseFold.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace mecovnik {

// Entries named without regard to letter case, kept in the order they were
// added; the first spelling of a name is the one kept.
//
// The entries lie in one array (a removed one leaves a gap until gaps are half
// of it), found through an open-addressed table of their positions: a few
// bytes an entry beside the entry itself, so a key with a million values
// costs memory in proportion to them. Pointers to entries are good until the
// next Insert or Erase.
template <typename T> class TRegistryNamedList final
{
public:
    struct TEntry
    {
        std::string Name;
        T Item;
    };

    // The entry of a name, or nullptr.
    [[nodiscard]] TEntry* Find(std::string_view name)
    {
        const std::size_t slot = FindSlot(FoldCase(name));
        return slot == kNone ? nullptr : &*m_entries[m_slots[slot] - 1];
    }
    [[nodiscard]] const TEntry* Find(std::string_view name) const
    {
        const std::size_t slot = FindSlot(FoldCase(name));
        return slot == kNone ? nullptr : &*m_entries[m_slots[slot] - 1];
    }

    // The entry of a name, added at the end with item when missing; the bool is
    // true when it was added.
    std::pair<TEntry*, bool> Insert(std::string_view name, T item)
    {
        const std::string folded = FoldCase(name);
        if (const std::size_t slot = FindSlot(folded); slot != kNone)
            return {&*m_entries[m_slots[slot] - 1], false};
        if ((m_entries.size() + 1) * 2 > m_slots.size())
            Rebuild(std::max<std::size_t>(16, m_slots.size() * 2));
        const std::size_t hash = Hash(folded);
        m_entries.push_back(TEntry{std::string(name), std::move(item)});
        m_hashes.push_back(hash);
        Place(hash, m_entries.size());
        ++m_live;
        return {&*m_entries.back(), true};
    }

    // Removes the entry of a name; false when there was none.
    bool Erase(std::string_view name)
    {
        const std::size_t slot = FindSlot(FoldCase(name));
        if (slot == kNone)
            return false;
        m_entries[m_slots[slot] - 1].reset();
        m_slots[slot] = kGone;
        --m_live;
        if (m_live * 2 < m_entries.size())
            Compact();
        return true;
    }

    [[nodiscard]] std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        names.reserve(m_live);
        for (const TEntry& e : *this)
            names.push_back(e.Name);
        return names;
    }

    [[nodiscard]] std::size_t Size() const { return m_live; }

    template <typename TEntries, typename TValue> class TIterator
    {
    public:
        TIterator(TEntries* entries, std::size_t at) : m_entries(entries), m_at(at) { Skip(); }
        TValue& operator*() const { return *(*m_entries)[m_at]; }
        TValue* operator->() const { return &*(*m_entries)[m_at]; }
        TIterator& operator++()
        {
            ++m_at;
            Skip();
            return *this;
        }
        bool operator==(const TIterator& other) const { return m_at == other.m_at; }

    private:
        void Skip()
        {
            while (m_at < m_entries->size() && !(*m_entries)[m_at])
                ++m_at;
        }
        TEntries* m_entries;
        std::size_t m_at;
    };
    using TSlots = std::vector<std::optional<TEntry>>;

    [[nodiscard]] auto begin() const
    {
        return TIterator<const TSlots, const TEntry>(&m_entries, 0);
    }
    [[nodiscard]] auto end() const
    {
        return TIterator<const TSlots, const TEntry>(&m_entries, m_entries.size());
    }
    [[nodiscard]] auto begin() { return TIterator<TSlots, TEntry>(&m_entries, 0); }
    [[nodiscard]] auto end() { return TIterator<TSlots, TEntry>(&m_entries, m_entries.size()); }

private:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    static constexpr std::uint32_t kEmpty = 0;
    static constexpr std::uint32_t kGone = 0xFFFFFFFFu;

    static std::size_t Hash(const std::string& folded) { return std::hash<std::string>{}(folded); }

    // The table slot of a folded name, or kNone.
    std::size_t FindSlot(const std::string& folded) const
    {
        if (m_slots.empty())
            return kNone;
        const std::size_t hash = Hash(folded);
        const std::size_t mask = m_slots.size() - 1;
        for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
            const std::uint32_t at = m_slots[i];
            if (at == kEmpty)
                return kNone;
            if (at != kGone && m_hashes[at - 1] == hash &&
                FoldCase(m_entries[at - 1]->Name) == folded)
                return i;
        }
    }

    // Puts entry number position (1-based) into the table.
    void Place(std::size_t hash, std::size_t position)
    {
        const std::size_t mask = m_slots.size() - 1;
        std::size_t i = hash & mask;
        while (m_slots[i] != kEmpty && m_slots[i] != kGone)
            i = (i + 1) & mask;
        m_slots[i] = static_cast<std::uint32_t>(position);
    }

    void Rebuild(std::size_t size)
    {
        m_slots.assign(size, kEmpty);
        for (std::size_t i = 0; i < m_entries.size(); ++i)
            if (m_entries[i])
                Place(m_hashes[i], i + 1);
    }

    // Closes the gaps removed entries left, keeping the order.
    void Compact()
    {
        std::size_t to = 0;
        for (std::size_t from = 0; from < m_entries.size(); ++from) {
            if (!m_entries[from])
                continue;
            if (to != from) {
                m_entries[to] = std::move(m_entries[from]);
                m_hashes[to] = m_hashes[from];
            }
            ++to;
        }
        m_entries.resize(to);
        m_hashes.resize(to);
        std::size_t size = 16;
        while (size < to * 2 + 2)
            size *= 2;
        Rebuild(size);
    }

    TSlots m_entries;
    std::vector<std::size_t> m_hashes;
    std::vector<std::uint32_t> m_slots;
    std::size_t m_live = 0;
};

} // namespace mecovnik
