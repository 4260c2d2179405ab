#include "profile/landxml.h"

#include "profile/landxml_reader.h"

namespace vcurve::profile {
namespace {

using landxml::Candidate;
using landxml::Reader;

// Whether a profile could be the one `wanted` names: by its own names, or
// by a listed name, which begins with its name or its alignment's. With no
// name, only the first can be read: a second makes the file's choice
// ambiguous.
bool mightBe(std::string_view wanted, const ProfileKey& key) {
  if (wanted.empty()) return key.index == 0;
  if (wanted == key.profAlign || wanted == key.profile || wanted == key.alignment) return true;
  for (const std::string_view name : {key.profAlign, key.profile, key.alignment}) {
    if (!name.empty()) {
      if (wanted.starts_with(printableText(name))) return true;
      break;
    }
  }
  return wanted.starts_with("（未命名）") || wanted.starts_with(std::string(key.alignment) + "/");
}

}  // namespace

struct LandXmlFile::Parts {
  Parts(std::string_view bytes, std::string_view fileName) : reader(bytes, fileName) {}
  Reader reader;
  std::vector<std::string> names;
  std::optional<FileError> error;
};

LandXmlFile::LandXmlFile(std::string_view bytes, std::string_view fileName,
                         const ReadProgress& progress)
    : parts_(std::make_unique<Parts>(bytes, fileName)) {
  if (parts_->reader.load({}, progress)) {
    parts_->names = parts_->reader.names();
  } else {
    parts_->error = parts_->reader.error();
  }
}

LandXmlFile::~LandXmlFile() = default;
LandXmlFile::LandXmlFile(LandXmlFile&&) noexcept = default;
LandXmlFile& LandXmlFile::operator=(LandXmlFile&&) noexcept = default;

const std::optional<FileError>& LandXmlFile::error() const { return parts_->error; }

const std::vector<std::string>& LandXmlFile::names() const { return parts_->names; }

Loaded<ProfileDocument> LandXmlFile::read(std::string_view name) {
  Loaded<ProfileDocument> loaded;
  if (parts_->error) {
    loaded.error = parts_->error;
    return loaded;
  }
  const Candidate* chosen = parts_->reader.choose(name);
  if (chosen == nullptr || !parts_->reader.read(*chosen, loaded.value)) {
    loaded.error = parts_->reader.error();
    loaded.value = {};
  }
  return loaded;
}

Loaded<std::vector<std::string>> landXmlProfileNames(std::string_view bytes,
                                                     std::string_view fileName) {
  Loaded<std::vector<std::string>> loaded;
  Reader reader(bytes, fileName);
  if (!reader.load([](const ProfileKey&) { return false; }, {})) {
    loaded.error = reader.error();
  } else {
    loaded.value = reader.names();
  }
  return loaded;
}

Loaded<ProfileDocument> readLandXml(std::string_view bytes, std::string_view fileName,
                                    std::string_view name, const ReadProgress& progress) {
  Loaded<ProfileDocument> loaded;
  Reader reader(bytes, fileName);
  const auto keep = [name](const ProfileKey& key) { return mightBe(name, key); };
  const Candidate* chosen = reader.load(keep, progress) ? reader.choose(name) : nullptr;
  if (chosen == nullptr || !reader.read(*chosen, loaded.value)) {
    loaded.error = reader.error();
    loaded.value = {};
  }
  return loaded;
}
}  // namespace vcurve::profile
