#include "profile/csv_records.h"

namespace vcurve::profile {
namespace {

// Control characters that never occur in a text file: a file holding one is
// a binary file whatever its name says. Tab, the line ends, form feed and
// the DOS end-of-file mark are text.
bool isBinary(unsigned char c) {
  return c < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\f' && c != 0x1A;
}

void appendField(std::string& text, std::string_view field) {
  if (field.find_first_of(",\"\r\n\t") == std::string_view::npos) {
    text += field;
    return;
  }
  text += '"';
  for (const char c : field) {
    if (c == '"') text += '"';
    text += c;
  }
  text += '"';
}

}  // namespace

CsvReader::CsvReader(std::string_view bytes, char delimiter)
    : bytes_(bytes), delimiter_(delimiter) {
  if (bytes_.starts_with("\xEF\xBB\xBF")) {
    pos_ = 3;
  } else if (bytes_.starts_with("\xFF\xFE") || bytes_.starts_with("\xFE\xFF")) {
    problem_ =
        CsvProblem{1, 1, "文件是 UTF-16 编码（Excel 的“Unicode 文本”），请另存为“CSV（逗号分隔）”"};
  }
}

bool CsvReader::next(CsvRecord& record) {
  if (problem_ || pos_ >= bytes_.size()) return false;
  record.line = line_;
  record.fields.clear();
  record.lines.clear();
  std::string field;
  bool quoted = false;
  std::size_t quoteLine = line_;
  const auto endField = [&] {
    record.fields.push_back(std::move(field));
    field.clear();
  };
  record.lines.push_back(line_);
  while (pos_ < bytes_.size()) {
    const char c = bytes_[pos_];
    if (isBinary(static_cast<unsigned char>(c))) {
      problem_ = CsvProblem{line_, record.fields.size() + 1, "含有二进制数据，不是文本文件"};
      return false;
    }
    if (quoted) {
      ++pos_;
      if (c == '"') {
        if (pos_ < bytes_.size() && bytes_[pos_] == '"') {
          field += '"';
          ++pos_;
        } else {
          quoted = false;
        }
      } else {
        if (c == '\n' || (c == '\r' && (pos_ >= bytes_.size() || bytes_[pos_] != '\n'))) ++line_;
        field += c;
      }
      continue;
    }
    if (c == '"' && field.find_first_not_of(" \t") == std::string::npos) {
      field.clear();
      quoted = true;
      quoteLine = line_;
      ++pos_;
    } else if (c == delimiter_) {
      endField();
      record.lines.push_back(line_);
      ++pos_;
    } else if (c == '\r' || c == '\n') {
      pos_ += c == '\r' && pos_ + 1 < bytes_.size() && bytes_[pos_ + 1] == '\n' ? 2 : 1;
      ++line_;
      endField();
      return true;
    } else {
      field += c;
      ++pos_;
    }
  }
  if (quoted) {
    problem_ = CsvProblem{quoteLine, record.fields.size() + 1, "引号没有配对"};
    return false;
  }
  endField();
  return true;
}

std::string csvField(std::string_view text) {
  std::string field;
  appendField(field, text);
  return field;
}

void appendCsvRecord(std::string& text, std::initializer_list<std::string_view> fields) {
  bool first = true;
  for (const std::string_view field : fields) {
    if (!first) text += ',';
    first = false;
    appendField(text, field);
  }
  text += kCsvRecordEnd;
}

std::vector<std::vector<std::string>> pastedCells(std::string_view text) {
  std::vector<std::vector<std::string>> rows;
  CsvReader reader(text, '\t');
  CsvRecord record;
  while (reader.next(record)) rows.push_back(record.fields);
  // A copied block ends with a line break, which is no empty row.
  while (!rows.empty() && rows.back().size() == 1 && rows.back().front().empty()) rows.pop_back();
  return rows;
}

}  // namespace vcurve::profile
