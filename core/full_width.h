#pragma once

// What a Chinese input method types in its full-width mode: "５．５",
// "Ｋ０＋５００", "（２）". Designers switch modes without noticing, and a
// number refused for its width is a riddle, so the tools that read a
// designer's profile fold the text first. The calculator's fields read
// exactly what they are given and do not use this.

#include <string>
#include <string_view>

namespace vcurve {

// The text with each full-width form (U+FF01 to U+FF5E) turned into its
// ASCII character, the ideographic space into a space and the ideographic
// full stop '。' into '.'; every other byte is left as it is.
std::string asciiForms(std::string_view text);

}  // namespace vcurve
