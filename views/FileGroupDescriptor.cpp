#include "views/FileGroupDescriptor.h"

#include <cstring>

std::vector<std::string> FileGroupDescriptor::fileNames(const uint8_t* block, size_t size)
{
    std::vector<std::string> names;
    if (block == nullptr || size < CountSize) return names;
    const uint32_t count = static_cast<uint32_t>(block[0]) | static_cast<uint32_t>(block[1]) << 8 |
                           static_cast<uint32_t>(block[2]) << 16 | static_cast<uint32_t>(block[3]) << 24;
    const size_t held = (size - CountSize) / DescriptorSize;
    const size_t usable = count < held ? count : held;
    for (size_t index = 0; index < usable; ++index) {
        const auto* name = reinterpret_cast<const char*>(block + CountSize + index * DescriptorSize + NameOffset);
        names.emplace_back(name, strnlen(name, NameSize));
    }
    return names;
}
