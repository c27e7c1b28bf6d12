#include "persistence/TRegistry.h"

#include "persistence/ERegistryException.h"
#include "persistence/RegistryLimits.h"
#include "persistence/TRegistryStore.h"
#include "text/Utf8.h"

#include <algorithm>

namespace mecovnik {

namespace {

std::string Quoted(std::string_view name)
{
    return "'" + std::string(name) + "'";
}

} // namespace

TRegistry::TRegistry(TRegistryStore& store) : m_store(store)
{
    // Attaching may read the file anew, so the root is taken after it.
    m_store.Attach();
    m_root = m_store.CurrentUser();
}

TRegistry::TRegistry(TRegistryStore& store, std::shared_ptr<TRegistryKey> root)
    : m_store(store), m_root(std::move(root))
{
    m_store.Attach();
}

TRegistry TRegistry::AtOpenKeyOf(const TRegistry& other)
{
    return TRegistry(other.m_store, other.m_open ? other.m_open : other.m_root);
}

TRegistry::~TRegistry()
{
    m_store.Detach(m_changed);
}

TRegistryKey* TRegistry::Current() const
{
    TRegistryKey* key = m_open ? m_open.get() : m_root.get();
    return key->Deleted() ? nullptr : key;
}

void TRegistry::NoteIncompleteRead()
{
    m_store.NoteIncompleteRead();
}

void TRegistry::NoteChange()
{
    if (!m_changed) {
        m_changed = true;
        m_store.NoteChanger();
    }
}

std::shared_ptr<TRegistryKey> TRegistry::Start(std::string_view& path) const
{
    if (!path.empty() && path.front() == '\\') {
        path.remove_prefix(1);
        return m_root;
    }
    return m_open ? m_open : m_root;
}

template <typename TMake>
std::shared_ptr<TRegistryKey> TRegistry::Walk(std::shared_ptr<TRegistryKey> key,
                                              std::string_view path, TMake&& make)
{
    if (key->Deleted())
        return nullptr;
    // The whole path is checked before any key is made.
    std::vector<std::string_view> names;
    while (!path.empty()) {
        const std::size_t sep = path.find('\\');
        names.push_back(path.substr(0, sep));
        if (!IsValidKeyName(names.back()))
            return nullptr;
        if (sep == std::string_view::npos)
            break;
        path.remove_prefix(sep + 1);
        if (path.empty())
            return nullptr; // a trailing "\" names no key
    }
    for (const std::string_view name : names) {
        std::shared_ptr<TRegistryKey> sub = key->Subkey(name);
        if (!sub && !(sub = make(*key, name)))
            return nullptr;
        key = std::move(sub);
    }
    return key;
}

std::shared_ptr<TRegistryKey> TRegistry::Find(std::string_view path) const
{
    std::shared_ptr<TRegistryKey> start = Start(path);
    return Walk(std::move(start), path,
                [](TRegistryKey&, std::string_view) { return std::shared_ptr<TRegistryKey>(); });
}

std::shared_ptr<TRegistryKey> TRegistry::Create(std::string_view path)
{
    std::shared_ptr<TRegistryKey> start = Start(path);
    return Walk(std::move(start), path, [this](TRegistryKey& parent, std::string_view name) {
        std::shared_ptr<TRegistryKey> made;
        const std::size_t bytes = KeyLineBytes(parent.ChildPathBytes(name));
        if (!m_store.Charge(bytes))
            return made;
        bool added = false;
        made = parent.AddSubkey(name, added);
        if (!made) {
            (void)m_store.Charge(0, bytes);
            return made;
        }
        NoteChange();
        return made;
    });
}

bool TRegistry::OpenKey(std::string_view path, bool canCreate)
{
    std::shared_ptr<TRegistryKey> key = canCreate ? Create(path) : Find(path);
    if (!key)
        return false;
    m_open = std::move(key);
    return true;
}

bool TRegistry::KeyExists(std::string_view path) const
{
    return Find(path) != nullptr;
}

bool TRegistry::DeleteKey(std::string_view path)
{
    const std::size_t sep = path.rfind('\\');
    const std::string_view parentPath =
        sep == std::string_view::npos ? std::string_view() : path.substr(0, sep + 1);
    const std::string_view name = sep == std::string_view::npos ? path : path.substr(sep + 1);
    if (name.empty())
        return false;
    // Without its trailing "\", the parent's path; "\" alone stands for the root.
    const std::shared_ptr<TRegistryKey> parent =
        parentPath == "\\"
            ? Find("\\")
            : Find(parentPath.substr(0, parentPath.empty() ? 0 : parentPath.size() - 1));
    if (!parent)
        return false;
    const auto* entry = parent->Subkeys().Find(name);
    if (!entry)
        return false;
    const std::size_t footprint = entry->Item->Footprint();
    parent->RemoveSubkey(name);
    (void)m_store.Charge(0, footprint);
    NoteChange();
    return true;
}

std::vector<std::string> TRegistry::GetKeyNames() const
{
    const TRegistryKey* key = Current();
    return key ? key->SubkeyNames() : std::vector<std::string>{};
}

std::vector<std::string> TRegistry::GetValueNames() const
{
    const TRegistryKey* key = Current();
    return key ? key->ValueNames() : std::vector<std::string>{};
}

bool TRegistry::ValueExists(std::string_view name) const
{
    const TRegistryKey* key = Current();
    return key && key->Value(name) != nullptr;
}

bool TRegistry::DeleteValue(std::string_view name)
{
    TRegistryKey* key = Current();
    if (!key)
        return false;
    const auto* entry = key->Values().Find(name);
    if (!entry)
        return false;
    const std::size_t footprint = ValueLineBytes(entry->Name, entry->Item);
    key->RemoveValue(name);
    (void)m_store.Charge(0, footprint);
    NoteChange();
    return true;
}

std::optional<TRegDataInfo> TRegistry::GetDataInfo(std::string_view name) const
{
    const TRegistryKey* key = Current();
    const TRegistryValue* value = key ? key->Value(name) : nullptr;
    if (!value)
        return std::nullopt;
    return TRegDataInfo{value->Type, value->Data.size()};
}

const TRegistryValue& TRegistry::TypedValue(std::string_view name, TRegType type) const
{
    const TRegistryKey* key = Current();
    const TRegistryValue* value = key ? key->Value(name) : nullptr;
    if (!value || value->Type != type)
        throw ERegistryException("Invalid data type for " + Quoted(name));
    return *value;
}

void TRegistry::WriteValue(std::string_view name, TRegistryValue value)
{
    TRegistryKey* key = Current();
    if (!key || !IsValidValueName(name))
        throw ERegistryException("Failed to set data for " + Quoted(name));
    const auto* entry = key->Values().Find(name);
    const std::string_view storedName = entry ? std::string_view(entry->Name) : name;
    const std::size_t release = entry ? ValueLineBytes(entry->Name, entry->Item) : 0;
    if (!m_store.Charge(ValueLineBytes(storedName, value), release))
        throw ERegistryException("Failed to set data for " + Quoted(name));
    key->SetValue(name, std::move(value));
    NoteChange();
}

void TRegistry::WriteInteger(std::string_view name, std::int32_t value)
{
    const auto bits = static_cast<std::uint32_t>(value);
    std::string data(4, '\0');
    for (std::size_t i = 0; i < 4; ++i)
        data[i] = static_cast<char>((bits >> (8 * i)) & 0xFFu);
    WriteValue(name, TRegistryValue{TRegType::Dword, std::move(data)});
}

std::int32_t TRegistry::ReadInteger(std::string_view name) const
{
    const TRegistryValue& value = TypedValue(name, TRegType::Dword);
    if (value.Data.size() != 4)
        throw ERegistryException("Invalid data type for " + Quoted(name));
    std::uint32_t bits = 0;
    for (std::size_t i = 0; i < 4; ++i)
        bits |= static_cast<std::uint32_t>(static_cast<unsigned char>(value.Data[i])) << (8 * i);
    return static_cast<std::int32_t>(bits);
}

void TRegistry::WriteString(std::string_view name, std::string_view value)
{
    std::string data = Utf8ToUtf16Le(value);
    data.append(2, '\0');
    WriteValue(name, TRegistryValue{TRegType::String, std::move(data)});
}

std::string TRegistry::ReadString(std::string_view name) const
{
    const TRegistryValue& value = TypedValue(name, TRegType::String);
    std::string_view data = value.Data;
    for (std::size_t i = 0; i + 1 < data.size(); i += 2) {
        if (data[i] == '\0' && data[i + 1] == '\0') {
            data = data.substr(0, i);
            break;
        }
    }
    bool clean = true;
    return Utf16ToUtf8(data, false, clean);
}

std::optional<std::string> TRegistry::ReadExactString(std::string_view name) const
{
    const TRegistryValue& value = TypedValue(name, TRegType::String);
    std::string_view data = value.Data;
    if (data.size() % 2 != 0)
        return std::nullopt;
    if (data.size() >= 2 && data[data.size() - 2] == '\0' && data.back() == '\0')
        data.remove_suffix(2);
    for (std::size_t i = 0; i < data.size(); i += 2)
        if (data[i] == '\0' && data[i + 1] == '\0')
            return std::nullopt;
    bool clean = true;
    std::string text = Utf16ToUtf8(data, false, clean);
    if (!clean)
        return std::nullopt;
    return text;
}

void TRegistry::WriteBinaryData(std::string_view name, std::span<const std::uint8_t> data)
{
    std::string bytes(data.size(), '\0');
    std::transform(data.begin(), data.end(), bytes.begin(),
                   [](std::uint8_t b) { return static_cast<char>(b); });
    WriteValue(name, TRegistryValue{TRegType::Binary, std::move(bytes)});
}

std::size_t TRegistry::ReadBinaryData(std::string_view name, std::span<std::uint8_t> buffer) const
{
    const TRegistryValue& value = TypedValue(name, TRegType::Binary);
    if (value.Data.size() > buffer.size())
        throw ERegistryException("Invalid data size for " + Quoted(name));
    std::transform(value.Data.begin(), value.Data.end(), buffer.begin(),
                   [](char b) { return static_cast<std::uint8_t>(b); });
    return value.Data.size();
}

} // namespace mecovnik
