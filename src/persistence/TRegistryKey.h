#pragma once

#include "persistence/TRegistryNamedList.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace mecovnik {

// Registry value types: the registry's own numbers. A value may carry any
// number; the store knows these three.
enum class TRegType : std::uint32_t
{
    None = 0,
    String = 1, // REG_SZ: UTF-16LE text with its terminating zero
    Binary = 3, // REG_BINARY
    Dword = 4,  // REG_DWORD: 32 bits, little-endian
};

// A typed value: the type and the data bytes exactly as the registry keeps them.
struct TRegistryValue
{
    TRegType Type = TRegType::None;
    std::string Data;
    friend bool operator==(const TRegistryValue&, const TRegistryValue&) = default;
};

// Registry name rules: a key name is 1 to 255 UTF-16 code units of valid UTF-8
// without "\", carriage return, line feed or zero; a value name is any valid
// UTF-8 without carriage return, line feed or zero ("" is the default value).
inline constexpr std::size_t kMaxKeyNameLength = 255;
// How many levels of keys may lie below a hive root, as in the registry.
inline constexpr int kMaxKeyDepth = 512;
[[nodiscard]] bool IsValidKeyName(std::string_view name);
[[nodiscard]] bool IsValidValueName(std::string_view name);

// One key of the store's tree: its subkeys and values in the order they were
// made, names compared without regard to case. A key removed from the tree is
// marked deleted, with everything below it, so that registry objects still
// holding it see it gone.
class TRegistryKey final
{
public:
    TRegistryKey() = default;
    TRegistryKey(const TRegistryKey&) = delete;
    TRegistryKey& operator=(const TRegistryKey&) = delete;

    [[nodiscard]] bool Deleted() const { return m_deleted; }
    // 0 for the store's top, 1 for a hive root, and one more for each level below.
    [[nodiscard]] int Depth() const { return m_depth; }
    // The UTF-8 length of the key's path from its hive root ("A\B" is 3).
    [[nodiscard]] std::size_t PathBytes() const { return m_pathBytes; }
    // The same for a subkey of that name.
    [[nodiscard]] std::size_t ChildPathBytes(std::string_view name) const
    {
        return m_depth == 0 ? name.size() : m_pathBytes + 1 + name.size();
    }

    // The subkey of that name (one path part), or nullptr.
    [[nodiscard]] std::shared_ptr<TRegistryKey> Subkey(std::string_view name) const;
    // The subkey of that name, made when missing; added tells which. nullptr
    // when a new key would lie deeper than kMaxKeyDepth below its hive root.
    std::shared_ptr<TRegistryKey> AddSubkey(std::string_view name, bool& added);
    // Removes a subkey and marks it and everything below it deleted; false when
    // there was none.
    bool RemoveSubkey(std::string_view name);
    [[nodiscard]] std::vector<std::string> SubkeyNames() const { return m_subkeys.Names(); }
    [[nodiscard]] const TRegistryNamedList<std::shared_ptr<TRegistryKey>>& Subkeys() const
    {
        return m_subkeys;
    }

    // The value of that name, or nullptr.
    [[nodiscard]] const TRegistryValue* Value(std::string_view name) const;
    // Sets a value; a value that exists keeps the spelling of its name.
    void SetValue(std::string_view name, TRegistryValue value);
    bool RemoveValue(std::string_view name) { return m_values.Erase(name); }
    [[nodiscard]] std::vector<std::string> ValueNames() const { return m_values.Names(); }
    [[nodiscard]] const TRegistryNamedList<TRegistryValue>& Values() const { return m_values; }

    // What this key and everything below it count in the written file
    // (RegistryLimits.h).
    [[nodiscard]] std::size_t Footprint() const;

private:
    void MarkDeleted();

    TRegistryNamedList<std::shared_ptr<TRegistryKey>> m_subkeys;
    TRegistryNamedList<TRegistryValue> m_values;
    std::size_t m_pathBytes = 0;
    int m_depth = 0;
    bool m_deleted = false;
};

} // namespace mecovnik
