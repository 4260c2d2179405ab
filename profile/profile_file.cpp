#include "profile/profile_file.h"

#include "profile/profile_csv.h"

namespace vcurve::profile {

bool looksLikeXml(std::string_view bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
  const std::size_t first = bytes.find_first_not_of(" \t\r\n");
  return first != std::string_view::npos && bytes[first] == '<';
}

Loaded<ProfileDocument> readProfileFile(std::string_view bytes, std::string_view fileName,
                                        std::string_view name, const ReadProgress& progress) {
  if (looksLikeXml(bytes)) return readLandXml(bytes, fileName, name, progress);
  Loaded<ProfileDocument> loaded;
  auto csv = readProfileCsv(bytes, fileName, &loaded.value.csvUnkept, &loaded.value.equations);
  loaded.error = std::move(csv.error);
  loaded.value.points = std::move(csv.value);
  if (!loaded.error) loaded.value.settings = readSettingsCsv(bytes);
  return loaded;
}

}  // namespace vcurve::profile
