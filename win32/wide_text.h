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

// The same conversion into the caller's buffer, for where nothing may be allocated; cut to fit and
// always terminated.
template <std::size_t N>
void WideFromTextInto(std::string_view text, wchar_t (&buffer)[N]) noexcept
{
    static_assert(N > 1, "room for one character and the terminator");
    // Every character of code page 936 is one UTF-16 unit: the head that fits ends after N - 1 of
    // them, never inside a double-byte one.
    std::size_t head = 0;
    for (std::size_t characters = 0; head < text.size() && characters < N - 1; ++characters)
        head += IsDBCSLeadByteEx(kTextCodePage, static_cast<BYTE>(text[head])) && head + 1 < text.size() ? 2 : 1;
    int length = 0;
    if (head > 0)
        length = MultiByteToWideChar(kTextCodePage, 0, text.data(), static_cast<int>(head), buffer,
                                     static_cast<int>(N - 1));
    buffer[length] = L'\0';
}

}  // namespace win32
