#pragma once

#include "persistence/TRegistryKey.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace mecovnik {

class TRegistryStore;

// Type and size in bytes of a stored value.
struct TRegDataInfo
{
    TRegType Type = TRegType::None;
    std::size_t Size = 0;
};

// A registry object: a root key and at most one open key below it, through
// which keys and values of the store are read and written.
//
// Paths are parts separated by "\". A path that starts with "\" begins at the
// root; any other begins at the open key, or at the root while none is open.
// Value operations work on the open key, or on the root while none is open.
// Names are compared without regard to case; a new name keeps its spelling.
// Keys removed while an object holds them are gone for it too: its reads find
// nothing and its writes fail. Errors are ERegistryException.
class TRegistry final
{
public:
    // An object rooted at the current user's hive.
    explicit TRegistry(TRegistryStore& store);
    // An object rooted at the key that other has open (its root when none is).
    [[nodiscard]] static TRegistry AtOpenKeyOf(const TRegistry& other);
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;
    TRegistry(TRegistry&&) = delete;
    TRegistry& operator=(TRegistry&&) = delete;
    // Releases the object; when it was the last living one that changed
    // something, the store writes its file.
    ~TRegistry();

    // Opens a key, making it and any missing key on the way when canCreate.
    // False (and the open key stays as it was) when the key does not exist and
    // may not be made, when a name is not a valid key name, or when making it
    // would break the store's quota or depth limit.
    bool OpenKey(std::string_view path, bool canCreate);
    // Closes the open key, if any.
    void CloseKey() { m_open.reset(); }
    [[nodiscard]] bool HasOpenKey() const { return m_open != nullptr; }

    [[nodiscard]] bool KeyExists(std::string_view path) const;
    // Removes a key with everything below it; false when there was none.
    bool DeleteKey(std::string_view path);
    // Names of the subkeys and of the values of the open key, in store order.
    [[nodiscard]] std::vector<std::string> GetKeyNames() const;
    [[nodiscard]] std::vector<std::string> GetValueNames() const;

    [[nodiscard]] bool ValueExists(std::string_view name) const;
    // Removes a value; false when there was none.
    bool DeleteValue(std::string_view name);
    // Type and size of a value; no value when it does not exist.
    [[nodiscard]] std::optional<TRegDataInfo> GetDataInfo(std::string_view name) const;

    // Typed reads fail (ERegistryException) on a missing value, a value of
    // another type, and an integer that is not four bytes; they never convert.
    void WriteInteger(std::string_view name, std::int32_t value);
    [[nodiscard]] std::int32_t ReadInteger(std::string_view name) const;
    // Strings are UTF-8 here and REG_SZ (UTF-16LE with its terminating zero) in
    // the store; a read ends at the first zero.
    void WriteString(std::string_view name, std::string_view value);
    [[nodiscard]] std::string ReadString(std::string_view name) const;
    // The text of a string value when writing it back gives the same text:
    // valid UTF-16LE with no zero before its terminating one (which may be
    // missing). No text otherwise; fails as ReadString does.
    [[nodiscard]] std::optional<std::string> ReadExactString(std::string_view name) const;
    void WriteBinaryData(std::string_view name, std::span<const std::uint8_t> data);
    // Reads a binary value into buffer and returns its size; fails when the
    // value is larger than buffer.
    std::size_t ReadBinaryData(std::string_view name, std::span<std::uint8_t> buffer) const;

    // Tells the store that a reader left out part of what the file holds, so
    // the file is kept as a copy before the next write replaces it.
    void NoteIncompleteRead();

private:
    TRegistry(TRegistryStore& store, std::shared_ptr<TRegistryKey> root);

    // The open key, or the root; nullptr when that key has been removed.
    [[nodiscard]] TRegistryKey* Current() const;
    // Where a path starts; a leading "\" is taken off path.
    [[nodiscard]] std::shared_ptr<TRegistryKey> Start(std::string_view& path) const;
    // Follows path from key, asking make for each missing key; nullptr when a
    // key cannot be had.
    template <typename TMake>
    static std::shared_ptr<TRegistryKey> Walk(std::shared_ptr<TRegistryKey> key,
                                              std::string_view path, TMake&& make);
    // The key a path names, or nullptr.
    [[nodiscard]] std::shared_ptr<TRegistryKey> Find(std::string_view path) const;
    // The key a path names, made with any missing key on the way; nullptr when
    // that cannot be done.
    std::shared_ptr<TRegistryKey> Create(std::string_view path);
    [[nodiscard]] const TRegistryValue& TypedValue(std::string_view name, TRegType type) const;
    void WriteValue(std::string_view name, TRegistryValue value);
    void NoteChange();

    TRegistryStore& m_store;
    std::shared_ptr<TRegistryKey> m_root;
    std::shared_ptr<TRegistryKey> m_open;
    bool m_changed = false;
};

} // namespace mecovnik
