#include "profile/file_error.h"

namespace vcurve::profile {

std::string FileError::message() const {
  // A control character in a file name could restyle the terminal.
  std::string name = file;
  for (char& c : name) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  }
  std::string text = "文件“" + name + "”";
  if (line > 0) text += "第 " + std::to_string(line) + " 行";
  if (line > 0 && column > 0) text += "第 " + std::to_string(column) + " 列";
  return text + "：" + problem;
}

}  // namespace vcurve::profile
