#include "persistence/TRegistryKey.h"

#include "persistence/RegistryLimits.h"
#include "text/Utf8.h"

namespace mecovnik {

namespace {

// Line breaks would end the name's line in the file; a zero ends a name for
// every program that reads names as the registry's own interface gives them.
bool HasLineBreakOrZero(std::string_view name)
{
    return name.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

} // namespace

bool IsValidKeyName(std::string_view name)
{
    return !name.empty() && name.find('\\') == std::string_view::npos &&
           !HasLineBreakOrZero(name) && IsValidUtf8(name) && Utf16Length(name) <= kMaxKeyNameLength;
}

bool IsValidValueName(std::string_view name)
{
    return !HasLineBreakOrZero(name) && IsValidUtf8(name);
}

std::shared_ptr<TRegistryKey> TRegistryKey::Subkey(std::string_view name) const
{
    const auto* entry = m_subkeys.Find(name);
    return entry ? entry->Item : nullptr;
}

std::shared_ptr<TRegistryKey> TRegistryKey::AddSubkey(std::string_view name, bool& added)
{
    added = false;
    if (auto existing = Subkey(name))
        return existing;
    if (m_depth >= kMaxKeyDepth + 1)
        return nullptr;
    const auto [entry, isNew] = m_subkeys.Insert(name, nullptr);
    entry->Item = std::make_shared<TRegistryKey>();
    entry->Item->m_depth = m_depth + 1;
    entry->Item->m_pathBytes = ChildPathBytes(name);
    added = isNew;
    return entry->Item;
}

bool TRegistryKey::RemoveSubkey(std::string_view name)
{
    const auto* entry = m_subkeys.Find(name);
    if (!entry)
        return false;
    entry->Item->MarkDeleted();
    return m_subkeys.Erase(name);
}

void TRegistryKey::MarkDeleted()
{
    // Iterative, so that a very deep tree cannot exhaust the stack.
    std::vector<TRegistryKey*> pending{this};
    while (!pending.empty()) {
        TRegistryKey* key = pending.back();
        pending.pop_back();
        key->m_deleted = true;
        for (const auto& entry : key->m_subkeys)
            pending.push_back(entry.Item.get());
    }
}

const TRegistryValue* TRegistryKey::Value(std::string_view name) const
{
    const auto* entry = m_values.Find(name);
    return entry ? &entry->Item : nullptr;
}

void TRegistryKey::SetValue(std::string_view name, TRegistryValue value)
{
    const auto [entry, isNew] = m_values.Insert(name, TRegistryValue{});
    entry->Item = std::move(value);
}

std::size_t TRegistryKey::Footprint() const
{
    std::size_t total = 0;
    std::vector<const TRegistryKey*> pending{this};
    while (!pending.empty()) {
        const TRegistryKey* key = pending.back();
        pending.pop_back();
        total += KeyLineBytes(key->m_pathBytes);
        for (const auto& value : key->m_values)
            total += ValueLineBytes(value.Name, value.Item);
        for (const auto& sub : key->m_subkeys)
            pending.push_back(sub.Item.get());
    }
    return total;
}

} // namespace mecovnik
