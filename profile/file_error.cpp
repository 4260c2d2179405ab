#include "profile/file_error.h"

namespace vcurve::profile {

std::string FileError::message() const {
  std::string text = "文件“" + file + "”";
  if (line > 0) text += "第 " + std::to_string(line) + " 行";
  if (line > 0 && column > 0) text += "第 " + std::to_string(column) + " 列";
  return text + "：" + problem;
}

}  // namespace vcurve::profile
