#pragma once

// CSV split at the byte level: RFC 4180 quoting, any of CR LF, LF or CR
// between records. This is safe for UTF-8 and for the GB18030/GBK that
// Excel saves on a Chinese Windows alike, because no byte of a multi-byte
// character in either is a comma, a quotation mark, CR or LF.

#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vcurve::profile {

struct CsvRecord {
  std::size_t line = 0;             // where the record starts, 1-based
  std::vector<std::string> fields;  // unquoted, as they stand
  std::vector<std::size_t> lines;   // where each field starts
};

struct CsvProblem {
  std::size_t line = 0;
  std::size_t column = 0;  // the field, 1-based
  std::string message;
};

class CsvReader {
 public:
  // A UTF-8 byte-order mark is skipped; UTF-16 and binary data are refused.
  explicit CsvReader(std::string_view bytes, char delimiter = ',');

  // The next record; false at the end or at a problem.
  bool next(CsvRecord& record);
  const std::optional<CsvProblem>& problem() const { return problem_; }

 private:
  std::string_view bytes_;
  std::size_t pos_ = 0;
  std::size_t line_ = 1;
  char delimiter_;
  std::optional<CsvProblem> problem_;
};

// A CSV field, quoted when it holds a comma, a tab, a quotation mark or a
// line break.
std::string csvField(std::string_view text);

// RFC 4180 ends every record with CR LF; spreadsheets expect it.
inline constexpr std::string_view kCsvRecordEnd = "\r\n";

// One record appended to text: the fields, each quoted where it needs to
// be, between commas, and the record end.
void appendCsvRecord(std::string& text, std::initializer_list<std::string_view> fields);

// A block copied from a spreadsheet: rows of tab-separated cells.
std::vector<std::vector<std::string>> pastedCells(std::string_view text);

}  // namespace vcurve::profile
