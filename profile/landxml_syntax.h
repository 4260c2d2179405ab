#pragma once

// What a file that is not well-formed XML is told: the fault's kind in the
// words users have long seen, and where. A file cut short is the common
// case (a copy or a download that stopped), so the place of a tag left open
// at the end is worked out the way it always was.

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

namespace vcurve::profile {

enum class XmlFault {
  OutOfMemory,
  NoElement,    // nothing but a declaration, comments or blanks
  EndedOpen,    // the file ends inside the document's element
  TokenAtEnd,   // the file ends inside a tag, comment or section
  TagMismatch,  // an end tag that closes some other element
  Entity,       // a reference to an entity no one defined
  Other,        // any other fault, at its place
};

struct SyntaxProblem {
  std::size_t offset = 0;
  std::string problem;
};

// bytes: the whole file; at: where the parser stopped (the start of the
// token left open, for TokenAtEnd); openElement: the name of the innermost
// element still open there.
SyntaxProblem syntaxProblem(std::string_view bytes, XmlFault fault, std::size_t at,
                            std::string_view openElement);

// Whether the XML declaration names ISO-8859-1 (or latin1).
bool declaresLatin1(std::string_view bytes);

// Where the document's element begins, from `at` on: past the declaration,
// comments, processing instructions, a DOCTYPE and stray text, none of which
// the reader uses. npos when the file ends inside a declaration, comment or
// DOCTYPE; any other markup that is not an element is left to the parser.
std::size_t prologEnd(std::string_view bytes, std::size_t at);

// Line and column (in characters) of a byte offset, for messages.
std::pair<std::size_t, std::size_t> placeOf(std::string_view bytes, std::ptrdiff_t offset,
                                            bool utf16 = false);

}  // namespace vcurve::profile
