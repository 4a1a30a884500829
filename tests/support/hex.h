#pragma once

#include <string>
#include <string_view>

// Bytes spelled as lowercase hex digits and back: the test tools pass exact bytes, GBK included,
// through logs and command lines this way.
inline std::string Hex(std::string_view bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        hex += digits[byte >> 4];
        hex += digits[byte & 15];
    }
    return hex;
}

inline std::string Unhex(std::string_view hex)
{
    const auto value = [](char digit) {
        return digit <= '9' ? digit - '0' : (digit | 0x20) - 'a' + 10;
    };
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes += static_cast<char>(value(hex[i]) * 16 + value(hex[i + 1]));
    return bytes;
}
