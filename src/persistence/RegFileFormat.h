#pragma once

#include "persistence/RegistryLimits.h"
#include "persistence/TRegistryKey.h"

#include <memory>
#include <string>
#include <string_view>

namespace mecovnik {

// The store's file: the registry export text format.
//
// Reading is forgiving: a line that does not parse is skipped and the rest
// loads. The result's top key holds the hive roots ("HKEY_CURRENT_USER", and
// any other a person wrote) as its subkeys.
struct TRegFileContent
{
    std::shared_ptr<TRegistryKey> Top;
    // False when anything was skipped or replaced: such a file is kept as a copy
    // before it is first replaced.
    bool Whole = true;
    // What the tree counts, the header included (RegistryLimits.h).
    std::size_t Bytes = 0;
};

// How much a read may take. A key line or value that would take the tree past
// a limit is skipped like a line that does not parse.
struct TRegReadLimits
{
    // All keys and values, the header included.
    std::size_t Limit = kMaxRegistryFileBytes;
    // Keys and values outside the program's places.
    std::size_t ForeignLimit = kMaxRegistryFileBytes;
    // The program's places; without them everything is foreign.
    const TOwnership* Ownership = nullptr;
    // The bytes are the start of a longer file: the last, unfinished line is
    // left out.
    bool Truncated = false;
};

// The first line of the file.
inline constexpr std::string_view kRegFileHeader = "Windows Registry Editor Version 5.00";

// The text of the file's bytes as UTF-8: UTF-8 with or without its byte order
// mark, or UTF-16 with a byte order mark. clean is set false when invalid
// sequences had to be replaced.
[[nodiscard]] std::string DecodeRegFileText(std::string_view bytes, bool& clean);

// Parses the file's bytes. Never fails: what cannot be read or does not fit
// the limits is left out.
[[nodiscard]] TRegFileContent ReadRegFile(std::string_view bytes,
                                          const TRegReadLimits& limits = {});

// The file's text for a tree: UTF-8 without byte order mark, LF line ends, the
// header, then every key in depth-first order, each after a blank line and
// followed by its values. A hive root without values is left out when it has
// subkeys (they imply it). Its size is at most what the tree counts.
[[nodiscard]] std::string WriteRegFile(const TRegistryKey& top);

} // namespace mecovnik
