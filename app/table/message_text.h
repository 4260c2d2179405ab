#pragma once

// Values typed by the user as the messages show them. A command line can
// hold anything: escape sequences that would restyle or retitle the
// terminal, carriage returns that would overwrite the message, bytes that
// are not UTF-8, or a whole file pasted into one argument.

#include <string>
#include <string_view>

namespace vcurve::table {

// At most this many characters of a value are shown; "…" marks the cut.
inline constexpr std::size_t kShownCharacters = 40;

// The value with control characters and bytes that are not UTF-8 written as
// escapes ("\r", "\x1B"), cut after kShownCharacters characters.
std::string shown(std::string_view value);

// shown(value) in the quotation marks the messages use: “value”.
std::string quoted(std::string_view value);

}  // namespace vcurve::table
