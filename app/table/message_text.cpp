#include "app/table/message_text.h"

#include <array>

namespace vcurve::table {
namespace {

// Length of the well-formed UTF-8 sequence at pos, or 0 when the bytes there
// are not one (a stray continuation byte, an overlong form, a surrogate, a
// sequence cut short).
std::size_t sequenceLength(std::string_view text, std::size_t pos) {
  const auto byte = [&](std::size_t i) {
    return i < text.size() ? static_cast<unsigned char>(text[i]) : 0U;
  };
  const unsigned lead = byte(pos);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  unsigned low = 0x80;  // the second byte's range; later bytes are 80..BF
  unsigned high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  for (std::size_t i = 1; i < length; ++i) {
    const unsigned b = byte(pos + i);
    if (b < (i == 1 ? low : 0x80) || b > (i == 1 ? high : 0xBF)) return 0;
  }
  return length;
}

void appendEscaped(std::string& text, std::string_view bytes) {
  constexpr std::string_view kHex = "0123456789ABCDEF";
  for (const char c : bytes) {
    if (c == '\t') {
      text += "\\t";
    } else if (c == '\n') {
      text += "\\n";
    } else if (c == '\r') {
      text += "\\r";
    } else {
      const auto b = static_cast<unsigned char>(c);
      text += "\\x";
      text += kHex[b >> 4];
      text += kHex[b & 0xF];
    }
  }
}

}  // namespace

std::string shown(std::string_view value) {
  std::string text;
  std::size_t pos = 0;
  for (std::size_t characters = 0; pos < value.size(); ++characters) {
    if (characters == kShownCharacters) {
      text += "…";
      break;
    }
    const std::size_t length = sequenceLength(value, pos);
    const std::string_view character = value.substr(pos, length == 0 ? 1 : length);
    const auto lead = static_cast<unsigned char>(character[0]);
    // C0 controls and DEL, C1 controls (U+0080..U+009F), and stray bytes.
    const bool control = length == 0 || lead < 0x20 || lead == 0x7F ||
                         (lead == 0xC2 && static_cast<unsigned char>(character[1]) < 0xA0);
    if (control) {
      appendEscaped(text, character);
    } else {
      text += character;
    }
    pos += character.size();
  }
  return text;
}

std::string quoted(std::string_view value) { return "“" + shown(value) + "”"; }

}  // namespace vcurve::table
