// A profile and its ground line written as LandXML 1.2.

#include "profile/landxml.h"

#include <chrono>
#include <cmath>
#include <pugixml.hpp>

#include "core/numeric_text.h"
#include "profile/landxml_parts.h"
#include "profile/landxml_settings.h"
#include "profile/profile_text.h"

namespace vcurve::profile {
namespace {

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

struct StringWriter : pugi::xml_writer {
  std::string text;
  void write(const void* data, std::size_t size) override {
    text.append(static_cast<const char*>(data), size);
  }
};

std::string twoDigits(unsigned value) {
  return std::string(1, char('0' + value / 10 % 10)) + char('0' + value % 10);
}

}  // namespace

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
