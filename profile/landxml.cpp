#include "profile/landxml.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <pugixml.hpp>
#include <sstream>

#include "core/numeric_text.h"
#include "core/station_text.h"
#include "profile/landxml_parts.h"
#include "profile/landxml_settings.h"
#include "profile/landxml_stream.h"
#include "profile/landxml_syntax.h"
#include "profile/profile_text.h"

namespace vcurve::profile {
namespace {

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

// R = 100·L/|ω|. A radius that left this program comes back a few units in
// the last place off; one within those few units of a value with six
// decimals is that value. Any wider, and a radius typed with more decimals
// would be changed by a round trip.
double radiusOfLength(double length, double omega) {
  const double radius = 100 * length / omega;
  const double rounded = RoundToPlaces(radius, 6);
  return std::fabs(rounded - radius) <= 1e-13 * radius ? rounded : radius;
}

// The shortest length text that reads back as the same radius: 120, not
// the 119.99999999999974 that the grades' binary values make of it.
std::string lengthText(const VerticalCurve& curve, double omega) {
  for (int decimals = 0; decimals <= 12; ++decimals) {
    const std::string text = fixedText(curve.length, decimals);
    if (const auto length = NumberFromText(text);
        length && radiusOfLength(*length, std::fabs(omega)) == curve.radius) {
      return text;
    }
  }
  // The length's own double may miss the radius by a unit in the last
  // place; one of its neighbours hits it.
  double below = curve.length;
  double above = curve.length;
  for (int step = 0; step < 64; ++step) {
    for (const double length : {below, above}) {
      if (radiusOfLength(length, std::fabs(omega)) == curve.radius) return exactText(length);
    }
    below = std::nextafter(below, 0.0);
    above = std::nextafter(above, HUGE_VAL);
  }
  return exactText(curve.length);
}

struct Candidate {
  pugi::xml_node profAlign;
  pugi::xml_node profile;
  std::string alignmentName;
  std::string displayName;
  pugi::xml_node alignment;
  std::string label;  // as listed: displayName, or with its alignment and range
};

class Reader {
 public:
  Reader(std::string_view bytes, std::string_view fileName) : bytes_(bytes), file_(fileName) {}

  bool load(const KeepGround& keepGround, const ReadProgress& progress) {
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

  std::vector<std::string> names() const {
    std::vector<std::string> all;
    for (const Candidate& c : candidates_) all.push_back(c.label);
    return all;
  }

  const Candidate* choose(std::string_view wanted) {
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
           "文件中有 " + std::to_string(matching.size()) +
               " 条纵断面设计线，请指定其中一条的名称：" + list);
    }
    return nullptr;
  }

  bool read(const Candidate& chosen, ProfileDocument& document) {
    negativeRadii_.clear();
    groundShift_ = 0;
    document.name = chosen.displayName;
    std::vector<pugi::xml_node> nodes;
    std::vector<double> curveLengths;  // per point; < 0 when the radius is given
    const pugi::xml_node last = lastElement(chosen.profAlign);
    for (const pugi::xml_node& node : chosen.profAlign.children()) {
      if (node.type() != pugi::node_element) continue;
      const std::string_view kind = localName(node);
      if (kind == "UnsymParaCurve") {
        failAt(node, "不对称竖曲线（UnsymParaCurve）暂不支持");
        return false;
      }
      if (kind != "PVI" && kind != "ParaCurve" && kind != "CircCurve") continue;
      double numbers[2];
      if (!readNumbers(node, node.child_value(), numbers, 2, "应为“桩号 高程”两个数")) return false;
      ProfilePoint point{units_.metres(numbers[0]), units_.elevationMetres(numbers[1]), 0};
      point.remark = node.attribute("desc").as_string();
      double length = 0;
      bool negative = false;
      if (kind == "CircCurve" && !node.attribute("radius").empty()) {
        if (!readAttribute(node, "radius", point.radius, &negative)) return false;
        point.radius = units_.metres(point.radius);
        length = -1;
      } else if (kind != "PVI") {
        if (!readAttribute(node, "length", length)) return false;
        length = units_.metres(length);
      }
      if (negative) negativeRadii_.push_back(document.points.size());
      if (kind != "PVI" && (document.points.empty() || node == last)) {
        failAt(node, "纵断面的起点和终点应为 PVI，不能是竖曲线");
        return false;
      }
      document.points.push_back(point);
      curveLengths.push_back(length);
      nodes.push_back(node);
    }
    if (!readEquations(chosen, document)) return false;
    if (!valid(document.points, nodes, chosen)) return false;
    radiiFromLengths(document.points, curveLengths);
    // Checked again: a length of 3e99 makes a radius no road has.
    if (!valid(document.points, nodes, chosen)) return false;
    if (!signsAgree(document.points, nodes)) return false;
    document.units = units_.name;
    document.settings = settingsFeature(chosen.profile);
    readGround(chosen, document);
    return true;
  }

  const FileError& error() const { return error_; }

 private:
  static pugi::xml_node lastElement(const pugi::xml_node& parent) {
    pugi::xml_node last;
    for (const pugi::xml_node& child : parent.children()) {
      if (child.type() == pugi::node_element && localName(child) != "Feature") last = child;
    }
    return last;
  }

  void fail(std::size_t line, std::size_t column, std::string problem) {
    error_ = FileError{std::string(file_), line, column, std::move(problem)};
  }

  void failAt(const pugi::xml_node& node, std::string problem) {
    const std::ptrdiff_t offset = kept_.offset(node);
    if (offset < 0) {
      fail(0, 0, std::move(problem));
      return;
    }
    const auto [line, column] = placeOf(bytes_, offset, kept_.utf16);
    fail(line, column, std::move(problem));
  }

  bool readNumbers(const pugi::xml_node& node, std::string_view text, double* out,
                   std::size_t count, std::string_view shape) {
    std::istringstream words{std::string(text)};
    std::vector<std::string> all;
    for (std::string word; all.size() <= count && words >> word;) all.push_back(word);
    if (all.size() != count) {
      failAt(node, std::string(shape) + "，却是“" + printableText(text) + "”");
      return false;
    }
    for (std::size_t n = 0; n < count; ++n) {
      const CellReading cell = readCell(InputColumn::Elevation, all[n]);
      if (!cell.ok()) {
        failAt(node, cell.error);
        return false;
      }
      out[n] = cell.value;
    }
    return true;
  }

  // negative, when given, takes a leading minus sign off the value.
  bool readAttribute(const pugi::xml_node& node, const char* name, double& value,
                     bool* negative = nullptr) {
    const pugi::xml_attribute attribute = node.attribute(name);
    if (attribute.empty()) {
      failAt(node, "缺少属性 " + std::string(name));
      return false;
    }
    std::string_view text = attribute.value();
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    if (negative != nullptr && text.starts_with('-')) {
      *negative = true;
      text.remove_prefix(1);
    }
    const CellReading cell = readCell(InputColumn::Radius, text);
    if (!cell.ok()) {
      failAt(node, "属性 " + std::string(name) + "：" + cell.error);
      return false;
    }
    value = cell.value;
    return true;
  }

  // R = 100·L/|ω|. A radius that left this program comes back a few units
  // in the last place off; one within a billionth of a value with six
  // decimals is that value.
  bool valid(const std::vector<ProfilePoint>& points, const std::vector<pugi::xml_node>& nodes,
             const Candidate& chosen) {
    const auto errors = validatePoints(points);
    if (errors.empty()) return true;
    const InputError& e = errors.front();
    failAt(e.row ? nodes[*e.row] : chosen.profAlign, e.message);
    return false;
  }

  static void radiiFromLengths(std::vector<ProfilePoint>& points,
                               const std::vector<double>& lengths) {
    const Profile straight([&] {
      std::vector<ProfilePoint> plain = points;
      for (ProfilePoint& p : plain) p.radius = 0;
      return plain;
    }());
    for (std::size_t k = 1; k + 1 < points.size(); ++k) {
      if (lengths[k] <= 0) continue;
      const double omega = std::fabs(*straight.rows()[k].omega);
      if (!(omega > kNoBreak)) continue;
      points[k].radius = radiusOfLength(lengths[k], omega);
    }
  }

  // Some suites negate a crest's radius. Only that use of the sign is
  // known, so a negative radius on a sag contradicts the file's grades.
  bool signsAgree(const std::vector<ProfilePoint>& points,
                  const std::vector<pugi::xml_node>& nodes) {
    if (negativeRadii_.empty()) return true;
    const Profile derived(points);
    for (const std::size_t k : negativeRadii_) {
      if (derived.rows()[k].kind() == CurveKind::Sag) {
        failAt(nodes[k], "竖曲线（CircCurve）" + chainageText(points[k].station) +
                             " 的半径为负（凸曲线的写法），但两侧纵坡构成凹曲线");
        return false;
      }
    }
    return true;
  }

  // The Alignment's StaEquation, and the PVI stations moved from the file's
  // internal stations to the true distance.
  bool readEquations(const Candidate& chosen, ProfileDocument& document) {
    std::vector<StationEquation> found;
    for (const pugi::xml_node& node : children(chosen.alignment, "StaEquation")) {
      const std::string_view increment = node.attribute("staIncrement").as_string("increasing");
      if (increment == "decreasing") {
        failAt(node, "断链（StaEquation）的 staIncrement 为 decreasing（桩号递减），不能读取");
        return false;
      }
      StationEquation e;
      for (const auto& [name, value] : {std::pair{"staBack", &e.back}, {"staAhead", &e.ahead}}) {
        if (!readStation(node, name, *value)) return false;
      }
      e.hasInternal = !node.attribute("staInternal").empty();
      if (e.hasInternal && !readStation(node, "staInternal", e.internal)) return false;
      found.push_back(e);
    }
    double shift = 0;
    if (std::string why = equationsFromFile(found, document.equations, shift); !why.empty()) {
      failAt(children(chosen.alignment, "StaEquation").front(), std::move(why));
      return false;
    }
    if (shift != 0) {
      for (ProfilePoint& p : document.points) p.station -= shift;
    }
    groundShift_ = shift;
    return true;
  }

  bool readStation(const pugi::xml_node& node, const char* name, double& value) {
    const CellReading cell = readCell(InputColumn::Station, node.attribute(name).as_string());
    if (!cell.ok() || node.attribute(name).empty()) {
      failAt(node, "断链（StaEquation）的 " + std::string(name) + "：" +
                       (cell.ok() ? std::string("缺少") : cell.error));
      return false;
    }
    value = units_.metres(cell.value);
    return true;
  }

  ProfileNames namesOf(const Candidate& c) const {
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

  // A fault of the ground line leaves the line out, not the profile.
  void readGround(const Candidate& chosen, ProfileDocument& document) {
    FileError saved = error_;
    if (!readGroundPoints(chosen, document)) {
      document.ground.clear();
      document.groundProblem = error_.message();
      error_ = saved;
    }
  }

  bool readGroundPoints(const Candidate& chosen, ProfileDocument& document) {
    const auto surfaces = children(chosen.profile, "ProfSurf");
    if (surfaces.empty()) return true;
    const pugi::xml_node surface = surfaces.front();
    std::vector<double> numbers;
    for (const pugi::xml_node& list : children(surface, "PntList2D")) {
      std::istringstream words{std::string(list.child_value())};
      std::string word;
      while (words >> word) {
        const CellReading cell = readCell(InputColumn::Elevation, word);
        if (!cell.ok()) {
          failAt(list, "地面线：" + cell.error);
          return false;
        }
        if (numbers.size() >= 2 * kMaximumGroundPoints) {
          failAt(list, "地面线点数超过上限 " + std::to_string(kMaximumGroundPoints));
          return false;
        }
        numbers.push_back(cell.value);
      }
      if (numbers.size() % 2 != 0) {
        failAt(list, "地面线（PntList2D）应为成对的“桩号 高程”");
        return false;
      }
    }
    for (std::size_t i = 0; i + 1 < numbers.size(); i += 2) {
      document.ground.push_back(
          {units_.metres(numbers[i]) - groundShift_, units_.elevationMetres(numbers[i + 1])});
    }
    if (const auto errors = GroundLine::validate(document.ground); !errors.empty()) {
      failAt(surface, "地面线：" + errors.front().message);
      return false;
    }
    return true;
  }

  std::string_view bytes_;
  std::string_view file_;
  KeptLandXml kept_;
  std::vector<Candidate> candidates_;
  FileError error_;
  LengthUnits units_;
  std::vector<std::size_t> negativeRadii_;
  double groundShift_ = 0;
};

struct StringWriter : pugi::xml_writer {
  std::string text;
  void write(const void* data, std::size_t size) override {
    text.append(static_cast<const char*>(data), size);
  }
};

std::string twoDigits(unsigned value) {
  return std::string(1, char('0' + value / 10 % 10)) + char('0' + value % 10);
}

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

std::string landXml(const Profile& profile, const GroundLine* ground,
                    const LandXmlOptions& options) {
  std::string date = options.date;
  std::string time = options.time;
  if (date.empty() || time.empty()) {
    const auto now = std::chrono::system_clock::now();
    const auto day = std::chrono::floor<std::chrono::days>(now);
    const std::chrono::year_month_day ymd{day};
    const std::chrono::hh_mm_ss clock{std::chrono::floor<std::chrono::seconds>(now - day)};
    if (date.empty()) {
      date = std::to_string(int(ymd.year())) + "-" + twoDigits(unsigned(ymd.month())) + "-" +
             twoDigits(unsigned(ymd.day()));
    }
    if (time.empty()) {
      time = twoDigits(unsigned(clock.hours().count())) + ":" +
             twoDigits(unsigned(clock.minutes().count())) + ":" +
             twoDigits(unsigned(clock.seconds().count()));
    }
  }

  pugi::xml_document document;
  pugi::xml_node declaration = document.append_child(pugi::node_declaration);
  declaration.append_attribute("version") = "1.0";
  declaration.append_attribute("encoding") = "UTF-8";
  pugi::xml_node root = document.append_child("LandXML");
  root.append_attribute("xmlns") = "http://www.landxml.org/schema/LandXML-1.2";
  root.append_attribute("xmlns:xsi") = "http://www.w3.org/2001/XMLSchema-instance";
  root.append_attribute("xsi:schemaLocation") =
      "http://www.landxml.org/schema/LandXML-1.2 "
      "http://www.landxml.org/schema/LandXML-1.2/LandXML-1.2.xsd";
  root.append_attribute("version") = "1.2";
  root.append_attribute("date") = date.c_str();
  root.append_attribute("time") = time.c_str();
  pugi::xml_node metric = root.append_child("Units").append_child("Metric");
  metric.append_attribute("linearUnit") = "meter";
  metric.append_attribute("areaUnit") = "squareMeter";
  metric.append_attribute("volumeUnit") = "cubicMeter";
  metric.append_attribute("angularUnit") = "decimal degrees";
  metric.append_attribute("directionUnit") = "decimal degrees";

  pugi::xml_node alignment = root.append_child("Alignments").append_child("Alignment");
  alignment.append_attribute("name") = options.name.c_str();
  const auto& points = profile.points();
  if (!points.empty()) {
    alignment.append_attribute("length") =
        exactText(profile.endStation() - profile.startStation()).c_str();
    alignment.append_attribute("staStart") =
        exactText(profile.chainage().field(profile.startStation())).c_str();
  }
  const ChainageEquations& chainage = profile.chainage();
  for (std::size_t i = 0; i < chainage.size(); ++i) {
    pugi::xml_node equation = alignment.append_child("StaEquation");
    equation.append_attribute("staBack") = exactText(chainage.equations()[i].back).c_str();
    equation.append_attribute("staAhead") = exactText(chainage.equations()[i].ahead).c_str();
    equation.append_attribute("staInternal") = exactText(chainage.distanceOf(i)).c_str();
    equation.append_attribute("staIncrement") = "increasing";
  }
  pugi::xml_node profileNode = alignment.append_child("Profile");
  profileNode.append_attribute("name") = options.name.c_str();
  pugi::xml_node profAlign = profileNode.append_child("ProfAlign");
  profAlign.append_attribute("name") = options.name.c_str();
  for (std::size_t k = 0; k < points.size(); ++k) {
    const std::string text = exactText(points[k].station) + " " + exactText(points[k].elevation);
    const auto& curve = profile.usable() ? profile.rows()[k].curve : std::nullopt;
    pugi::xml_node node = profAlign.append_child(curve ? "ParaCurve" : "PVI");
    if (curve) {
      node.append_attribute("length") = lengthText(*curve, *profile.rows()[k].omega).c_str();
    }
    if (!points[k].remark.empty()) node.append_attribute("desc") = points[k].remark.c_str();
    node.text().set(text.c_str());
  }
  if (ground != nullptr && !ground->empty()) {
    pugi::xml_node surface = profileNode.append_child("ProfSurf");
    surface.append_attribute("name") = options.groundName.c_str();
    std::string list;
    for (const GroundPoint& p : ground->points()) {
      if (!list.empty()) list += ' ';
      list += exactText(p.station) + " " + exactText(p.elevation);
    }
    surface.append_child("PntList2D").text().set(list.c_str());
  }
  appendSettingsFeature(profileNode, options.settings);
  StringWriter writer;
  document.save(writer, "  ", pugi::format_default, pugi::encoding_utf8);
  return writer.text;
}

}  // namespace vcurve::profile
