#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace win32 {

// The tool's texts are GBK bytes (code page 936) whatever code page the system runs in; Windows
// receives them as UTF-16 through the W functions. This is the one place they are converted, and
// never through the system's ANSI code page, which need not be 936.
constexpr UINT kTextCodePage = 936;

inline std::wstring WideFromText(std::string_view text)
{
    if (text.empty())
        return std::wstring();
    const int bytes = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(kTextCodePage, 0, text.data(), bytes, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    if (length > 0)
        MultiByteToWideChar(kTextCodePage, 0, text.data(), bytes, &wide[0], length);
    return wide;
}

inline std::string TextFromWide(std::wstring_view wide)
{
    if (wide.empty())
        return std::string();
    const int units = static_cast<int>(wide.size());
    const int length = WideCharToMultiByte(kTextCodePage, 0, wide.data(), units, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(length), '\0');
    if (length > 0)
        WideCharToMultiByte(kTextCodePage, 0, wide.data(), units, &text[0], length, nullptr, nullptr);
    return text;
}

}  // namespace win32
