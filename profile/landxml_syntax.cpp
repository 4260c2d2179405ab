#include "profile/landxml_syntax.h"

#include <algorithm>
#include <cctype>

namespace vcurve::profile {
namespace {

constexpr std::string_view kMismatch = "XML 格式错误：开始和结束标签不配对";
constexpr std::string_view kBadTag = "XML 格式错误：标签写法有误";
constexpr std::string_view kBadAttribute = "XML 格式错误：属性写法有误";
constexpr std::string_view kBadEndTag = "XML 格式错误：结束标签有误";
constexpr std::string_view kBadXml = "XML 格式错误";

bool blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool nameByte(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte >= 0x80 || std::isalnum(byte) != 0 || c == '_' || c == ':' || c == '-' || c == '.';
}

// A start tag the file ends inside: in its name or just after it, the tag
// is at fault, at the last byte; in an attribute, the attribute: at the end
// while its name is being written, at the start of a value left open.
SyntaxProblem startTagAtEnd(std::string_view bytes, std::size_t at) {
  const std::size_t end = bytes.size();
  const std::size_t last = end - 1;
  std::size_t i = at + 1;
  while (i < end && nameByte(bytes[i])) ++i;
  for (;;) {
    while (i < end && blank(bytes[i])) ++i;
    if (i == end) return {last, std::string(kBadTag)};
    if (!nameByte(bytes[i])) return {last, std::string(kBadTag)};
    while (i < end && nameByte(bytes[i])) ++i;
    if (i == end) return {end, std::string(kBadAttribute)};
    while (i < end && (blank(bytes[i]) || bytes[i] == '=')) ++i;
    if (i == end) return {last, std::string(kBadAttribute)};
    const char quote = bytes[i];
    if (quote != '"' && quote != '\'') return {i, std::string(kBadAttribute)};
    const std::size_t value = i + 1;
    const std::size_t close = bytes.find(quote, value);
    if (close == std::string_view::npos) {
      return {value == end ? last : value, std::string(kBadAttribute)};
    }
    i = close + 1;
  }
}

// The kind of markup a fault in the middle of the file lies in.
std::string_view kindAt(std::string_view bytes, std::size_t at) {
  std::size_t open = bytes.rfind('<', at);
  // A '<' inside a tag not yet closed is that tag's fault.
  if (open == at && at > 0) {
    const std::size_t before = bytes.rfind('<', at - 1);
    if (before != std::string_view::npos &&
        bytes.substr(before, at - before).find('>') == std::string_view::npos) {
      open = before;
    }
  }
  if (open == std::string_view::npos ||
      bytes.substr(open, at - open).find('>') != std::string_view::npos) {
    return kBadXml;
  }
  if (open + 1 < bytes.size() && bytes[open + 1] == '/') return kBadEndTag;
  if (open + 1 < bytes.size() && nameByte(bytes[open + 1])) {
    std::size_t name = open + 1;
    while (name < bytes.size() && nameByte(bytes[name])) ++name;
    return at <= name ? kBadTag : kBadAttribute;
  }
  return kBadXml;
}

}  // namespace

bool declaresLatin1(std::string_view bytes) {
  if (!bytes.starts_with("<?xml")) return false;
  const std::string_view declaration = bytes.substr(0, bytes.find("?>"));
  const std::size_t at = declaration.find("encoding");
  if (at == std::string_view::npos) return false;
  std::string_view rest = declaration.substr(at + 8);
  while (!rest.empty() && (blank(rest.front()) || rest.front() == '=')) rest.remove_prefix(1);
  if (rest.empty() || (rest.front() != '"' && rest.front() != '\'')) return false;
  const std::string_view value = rest.substr(1, rest.find(rest.front(), 1) - 1);
  std::string lower(value);
  for (char& c : lower) c = static_cast<char>(c | (c >= 'A' && c <= 'Z' ? 0x20 : 0));
  return lower == "iso-8859-1" || lower == "latin1";
}

// A DOCTYPE read past declares no entity: none is ever expanded or fetched.
std::size_t prologEnd(std::string_view bytes, std::size_t at) {
  for (;;) {
    at = bytes.find('<', at);
    if (at == std::string_view::npos) return bytes.size();
    const std::string_view rest = bytes.substr(at);
    std::size_t end = std::string_view::npos;
    if (rest.starts_with("<?")) {
      end = rest.find("?>", 2);
      if (end != std::string_view::npos) end += 2;
    } else if (rest.starts_with("<!--")) {
      end = rest.find("-->", 4);
      if (end != std::string_view::npos) end += 3;
    } else if (rest.starts_with("<!DOCTYPE")) {
      int depth = 0;
      for (std::size_t i = 9; i < rest.size() && end == std::string_view::npos; ++i) {
        const char c = rest[i];
        if (c == '"' || c == '\'') {
          i = rest.find(c, i + 1);
          if (i == std::string_view::npos) break;
        } else if (c == '[') {
          ++depth;
        } else if (c == ']') {
          --depth;
        } else if (c == '>' && depth <= 0) {
          end = i + 1;
        }
      }
    }
    if (end == std::string_view::npos) {
      // A declaration, comment or DOCTYPE the file ends inside.
      if (rest.starts_with("<?") || rest.starts_with("<!--") || rest.starts_with("<!DOCTYPE")) {
        return std::string_view::npos;
      }
      return at;
    }
    at += end;
  }
}

SyntaxProblem syntaxProblem(std::string_view bytes, XmlFault fault, std::size_t at,
                            std::string_view openElement) {
  const std::size_t last = bytes.empty() ? 0 : bytes.size() - 1;
  at = std::min(at, bytes.size());
  switch (fault) {
    case XmlFault::OutOfMemory:
      return {at, "内存不足，无法读取"};
    case XmlFault::NoElement:
      return {at, "不是 XML 文件（没有任何元素）"};
    case XmlFault::EndedOpen:
      return {last, std::string(kMismatch)};
    case XmlFault::TokenAtEnd:
      // An end tag cut short is the wrong one until its name is whole.
      if (bytes.substr(at).starts_with("</")) {
        const bool whole = bytes.substr(at + 2).starts_with(openElement) && !openElement.empty();
        return {whole ? last : std::min(last, at + 2), std::string(whole ? kBadEndTag : kMismatch)};
      }
      if (at + 1 == bytes.size() && bytes[at] == '<') {
        const bool afterText = at > 0 && !blank(bytes[at - 1]) && bytes[at - 1] != '>';
        return {last, std::string(afterText ? kMismatch : kBadTag)};
      }
      if (at + 1 < bytes.size() && bytes[at] == '<' && nameByte(bytes[at + 1]) &&
          bytes[at + 1] != '-' && bytes[at + 1] != '.') {
        return startTagAtEnd(bytes, at);
      }
      return {at == bytes.size() ? at : last, std::string(kBadXml)};
    case XmlFault::TagMismatch:
      return {at, std::string(kMismatch)};
    case XmlFault::Entity:
      return {at, "XML 格式错误：引用了未定义的实体"};
    case XmlFault::Other:
      return {at, std::string(kindAt(bytes, at))};
  }
  return {at, std::string(kBadXml)};
}

std::pair<std::size_t, std::size_t> placeOf(std::string_view bytes, std::ptrdiff_t offset,
                                            bool utf16) {
  std::size_t line = 1;
  std::size_t column = 1;
  const auto end = static_cast<std::size_t>(
      std::clamp<std::ptrdiff_t>(offset, 0, static_cast<std::ptrdiff_t>(bytes.size())));
  if (utf16) {
    const bool big = bytes.starts_with("\xFE\xFF") || bytes.starts_with(std::string_view("\0<", 2));
    for (std::size_t i = 0; i + 1 < end; i += 2) {
      const auto unit =
          static_cast<unsigned>(big ? (static_cast<unsigned char>(bytes[i]) << 8) |
                                          static_cast<unsigned char>(bytes[i + 1])
                                    : (static_cast<unsigned char>(bytes[i + 1]) << 8) |
                                          static_cast<unsigned char>(bytes[i]));
      if (unit == '\n') {
        ++line;
        column = 1;
      } else if ((unit & 0xFC00) != 0xDC00 && unit != 0xFEFF) {
        ++column;
      }
    }
    return {line, column};
  }
  for (std::size_t i = 0; i < end; ++i) {
    if (bytes[i] == '\n') {
      ++line;
      column = 1;
    } else if ((static_cast<unsigned char>(bytes[i]) & 0xC0) != 0x80) {
      ++column;
    }
  }
  return {line, column};
}

}  // namespace vcurve::profile
