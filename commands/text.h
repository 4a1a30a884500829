#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// A text of the tool: bytes in the ANSI code page (GBK for every literal of the tool). There is
// no separate "absent" state: an omitted text is the empty text, so the two behave alike.
using Text = std::string;

// Joins the parts in the order given, with no separator. An empty part adds nothing. The result
// is a new text owned by the caller; running out of memory for it is a fatal runtime error.
Text ConcatText(std::initializer_list<std::string_view> parts);

// A text counts as empty when it has no bytes or its first byte is zero.
bool IsEmptyText(std::string_view text) noexcept;
