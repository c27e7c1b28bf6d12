#pragma once

#include <stdexcept>
#include <string>

namespace mecovnik {

// A registry error: a key that cannot be opened or created ("OpenKey"), a
// value that cannot be written, or a typed read of a value of another type.
class ERegistryException final : public std::runtime_error
{
public:
    explicit ERegistryException(const std::string& message) : std::runtime_error(message) {}
};

} // namespace mecovnik
