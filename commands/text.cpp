#include "commands/text.h"

Text ConcatText(std::initializer_list<std::string_view> parts)
{
    std::size_t length = 0;
    for (std::string_view part : parts)
        length += part.size();

    Text joined;
    joined.reserve(length);
    for (std::string_view part : parts)
        joined.append(part);
    return joined;
}

bool IsEmptyText(std::string_view text) noexcept
{
    return text.empty() || text.front() == '\0';
}
