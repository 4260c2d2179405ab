#include "profile/landxml_reader.h"

#include <sstream>

#include "profile/landxml_syntax.h"

namespace vcurve::profile::landxml {

std::string_view localName(const pugi::xml_node& node) {
  const std::string_view name = node.name();
  const std::size_t colon = name.find(':');
  return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

bool named(const pugi::xml_node& node, std::string_view name) {
  return node.type() == pugi::node_element && localName(node) == name;
}

std::vector<pugi::xml_node> children(const pugi::xml_node& node, std::string_view name) {
  std::vector<pugi::xml_node> found;
  for (const pugi::xml_node& child : node.children()) {
    if (named(child, name)) found.push_back(child);
  }
  return found;
}

bool Reader::load(const KeepGround& keepGround, const ReadProgress& progress) {
  if (bytes_.size() > kMaximumFileBytes) {
    fail(0, 0, "文件太大（超过 " + std::to_string(kMaximumFileBytes >> 20) + " MB）");
    return false;
  }
  if (bytes_.empty()) {
    fail(0, 0, "文件是空的");
    return false;
  }
  if (const auto problem = keepLandXml(bytes_, keepGround, kept_, progress)) {
    const auto [line, column] = placeOf(bytes_, problem->offset, kept_.utf16);
    fail(line, column, problem->problem);
    return false;
  }
  const pugi::xml_node root = kept_.document.document_element();
  if (!named(root, "LandXML")) {
    failAt(root, "不是 LandXML 文件（根元素是 <" + printableText(root.name()) + ">）");
    return false;
  }
  for (const pugi::xml_node& units : children(root, "Units")) {
    for (const pugi::xml_node& system : units.children()) {
      const bool imperial = named(system, "Imperial");
      if (!imperial && !named(system, "Metric")) continue;
      std::string problem;
      const auto read = lengthUnits(imperial, system.attribute("linearUnit").as_string(),
                                    system.attribute("elevationUnit").as_string(), problem);
      if (!read) {
        failAt(system, problem);
        return false;
      }
      units_ = *read;
    }
  }
  for (const pugi::xml_node& alignments : children(root, "Alignments")) {
    for (const pugi::xml_node& alignment : children(alignments, "Alignment")) {
      for (const pugi::xml_node& profile : children(alignment, "Profile")) {
        for (const pugi::xml_node& profAlign : children(profile, "ProfAlign")) {
          Candidate c{profAlign, profile,   alignment.attribute("name").as_string(),
                      {},        alignment, {}};
          for (const char* name :
               {profAlign.attribute("name").as_string(), profile.attribute("name").as_string(),
                c.alignmentName.c_str()}) {
            if (c.displayName.empty() && *name != '\0') c.displayName = printableText(name);
          }
          if (c.displayName.empty()) c.displayName = "（未命名）";
          candidates_.push_back(std::move(c));
        }
      }
    }
  }
  if (candidates_.empty()) {
    fail(0, 0, "文件中没有纵断面设计线（Alignment 下的 Profile/ProfAlign）");
    return false;
  }
  std::vector<ProfileNames> names;
  for (const Candidate& c : candidates_) names.push_back(namesOf(c));
  const std::vector<std::string> labels = profileLabels(names);
  for (std::size_t i = 0; i < labels.size(); ++i) candidates_[i].label = labels[i];
  return true;
}

std::vector<std::string> Reader::names() const {
  std::vector<std::string> all;
  for (const Candidate& c : candidates_) all.push_back(c.label);
  return all;
}

const Candidate* Reader::choose(std::string_view wanted) {
  std::vector<const Candidate*> matching;
  for (const Candidate& c : candidates_) {
    if (wanted.empty() || wanted == c.profAlign.attribute("name").as_string() ||
        wanted == c.profile.attribute("name").as_string() || wanted == c.alignmentName ||
        wanted == c.label || wanted == c.alignmentName + "/" + c.displayName) {
      matching.push_back(&c);
    }
  }
  // A listed name is the one it lists, whatever else shares a part of it.
  for (const Candidate* c : matching) {
    if (wanted == c->label && matching.size() > 1) return c;
  }
  if (matching.size() == 1) return matching.front();
  std::string list;
  for (const Candidate& c : candidates_) list += (list.empty() ? "" : "、") + c.label;
  if (matching.empty()) {
    fail(0, 0, "文件中没有名为“" + printableText(wanted) + "”的纵断面；文件中有：" + list);
  } else {
    fail(0, 0,
         "文件中有 " + std::to_string(matching.size()) + " 条纵断面设计线，请指定其中一条的名称：" +
             list);
  }
  return nullptr;
}

ProfileNames Reader::namesOf(const Candidate& c) const {
  ProfileNames names{c.displayName, c.alignmentName, std::nullopt, std::nullopt};
  for (const pugi::xml_node& node : c.profAlign.children()) {
    const std::string_view kind = localName(node);
    if (kind != "PVI" && kind != "ParaCurve" && kind != "CircCurve") continue;
    std::istringstream words{std::string(node.child_value())};
    std::string word;
    if (!(words >> word)) continue;
    if (const CellReading cell = readCell(InputColumn::Station, word); cell.ok()) {
      if (!names.start) names.start = units_.metres(cell.value);
      names.end = units_.metres(cell.value);
    }
  }
  return names;
}

pugi::xml_node Reader::lastElement(const pugi::xml_node& parent) {
  pugi::xml_node last;
  for (const pugi::xml_node& child : parent.children()) {
    if (child.type() == pugi::node_element && localName(child) != "Feature") last = child;
  }
  return last;
}

void Reader::fail(std::size_t line, std::size_t column, std::string problem) {
  error_ = FileError{std::string(file_), line, column, std::move(problem)};
}

void Reader::failAt(const pugi::xml_node& node, std::string problem) {
  const std::ptrdiff_t offset = kept_.offset(node);
  if (offset < 0) {
    fail(0, 0, std::move(problem));
    return;
  }
  const auto [line, column] = placeOf(bytes_, offset, kept_.utf16);
  fail(line, column, std::move(problem));
}

}  // namespace vcurve::profile::landxml
