// One design profile of the file read into a document: its points and
// curves, its 断链, its road settings and its ground line.

#include <cmath>
#include <sstream>

#include "core/station_text.h"
#include "profile/landxml_reader.h"
#include "profile/landxml_settings.h"

namespace vcurve::profile::landxml {

bool Reader::read(const Candidate& chosen, ProfileDocument& document) {
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

bool Reader::readNumbers(const pugi::xml_node& node, std::string_view text, double* out,
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

bool Reader::readAttribute(const pugi::xml_node& node, const char* name, double& value,
                           bool* negative) {
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

bool Reader::valid(const std::vector<ProfilePoint>& points,
                   const std::vector<pugi::xml_node>& nodes, const Candidate& chosen) {
  const auto errors = validatePoints(points);
  if (errors.empty()) return true;
  const InputError& e = errors.front();
  failAt(e.row ? nodes[*e.row] : chosen.profAlign, e.message);
  return false;
}

void Reader::radiiFromLengths(std::vector<ProfilePoint>& points,
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
bool Reader::signsAgree(const std::vector<ProfilePoint>& points,
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
bool Reader::readEquations(const Candidate& chosen, ProfileDocument& document) {
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

bool Reader::readStation(const pugi::xml_node& node, const char* name, double& value) {
  const CellReading cell = readCell(InputColumn::Station, node.attribute(name).as_string());
  if (!cell.ok() || node.attribute(name).empty()) {
    failAt(node, "断链（StaEquation）的 " + std::string(name) + "：" +
                     (cell.ok() ? std::string("缺少") : cell.error));
    return false;
  }
  value = units_.metres(cell.value);
  return true;
}

// A fault of the ground line leaves the line out, not the profile.
void Reader::readGround(const Candidate& chosen, ProfileDocument& document) {
  FileError saved = error_;
  if (!readGroundPoints(chosen, document)) {
    document.ground.clear();
    document.groundProblem = error_.message();
    error_ = saved;
  }
}

bool Reader::readGroundPoints(const Candidate& chosen, ProfileDocument& document) {
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

}  // namespace vcurve::profile::landxml
