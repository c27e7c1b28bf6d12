#pragma once

#include "persistence/RegistryCaseFold.h"

#include <list>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace mecovnik {

// Entries named without regard to letter case, kept in the order they were
// added; the first spelling of a name is the one kept.
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
        const auto it = m_index.find(FoldCase(name));
        return it == m_index.end() ? nullptr : &*it->second;
    }
    [[nodiscard]] const TEntry* Find(std::string_view name) const
    {
        const auto it = m_index.find(FoldCase(name));
        return it == m_index.end() ? nullptr : &*it->second;
    }

    // The entry of a name, added at the end with item when missing; the bool is
    // true when it was added.
    std::pair<TEntry*, bool> Insert(std::string_view name, T item)
    {
        std::string folded = FoldCase(name);
        if (const auto it = m_index.find(folded); it != m_index.end())
            return {&*it->second, false};
        m_entries.push_back(TEntry{std::string(name), std::move(item)});
        auto last = std::prev(m_entries.end());
        m_index.emplace(std::move(folded), last);
        return {&*last, true};
    }

    // Removes the entry of a name; false when there was none.
    bool Erase(std::string_view name)
    {
        const auto it = m_index.find(FoldCase(name));
        if (it == m_index.end())
            return false;
        m_entries.erase(it->second);
        m_index.erase(it);
        return true;
    }

    [[nodiscard]] std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        names.reserve(m_entries.size());
        for (const TEntry& e : m_entries)
            names.push_back(e.Name);
        return names;
    }

    [[nodiscard]] std::size_t Size() const { return m_entries.size(); }
    [[nodiscard]] auto begin() const { return m_entries.begin(); }
    [[nodiscard]] auto end() const { return m_entries.end(); }
    [[nodiscard]] auto begin() { return m_entries.begin(); }
    [[nodiscard]] auto end() { return m_entries.end(); }

private:
    std::list<TEntry> m_entries;
    std::unordered_map<std::string, typename std::list<TEntry>::iterator> m_index;
};

} // namespace mecovnik
