#pragma once
// The file names of a shell "FileGroupDescriptor" block (the ANSI form): a
// 32-bit count and that many 332-byte descriptors, each holding a 260-byte
// NUL-terminated name 72 bytes in. Read from bytes another program wrote, so
// nothing is trusted: descriptors the block does not hold are not read.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class FileGroupDescriptor {
public:
    static constexpr size_t CountSize = 4;
    static constexpr size_t DescriptorSize = 332;
    static constexpr size_t NameOffset = 72;
    static constexpr size_t NameSize = 260;

    // The names in descriptor order (code page 932); as many as the count
    // says and the block holds.
    static std::vector<std::string> fileNames(const uint8_t* block, size_t size);
};
