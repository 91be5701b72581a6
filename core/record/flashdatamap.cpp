#include "core/record/flashdatamap.h"

std::size_t MacroRecord::setName(const char *bytes, std::size_t length)
{
    const std::size_t stored = length < NameCapacity ? length : NameCapacity;
    std::memset(Name, 0, NameCapacity);
    if (stored > 0)
        std::memcpy(Name, bytes, stored);
    NameLength = static_cast<std::uint8_t>(stored);
    return stored;
}
