#pragma once

// The reader behind readLandXml and LandXmlFile: the file's kept elements,
// the design profiles found in them with the names they are listed by, and
// one of them read into a document. Messages carry the line and column of
// the element at fault.

#include <cstddef>
#include <pugixml.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "profile/landxml.h"
#include "profile/landxml_parts.h"
#include "profile/landxml_stream.h"

namespace vcurve::profile::landxml {

// An element's name without its namespace prefix, and the element children
// of a node with that name.
std::string_view localName(const pugi::xml_node& node);
bool named(const pugi::xml_node& node, std::string_view name);
std::vector<pugi::xml_node> children(const pugi::xml_node& node, std::string_view name);

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

  bool load(const KeepGround& keepGround, const ReadProgress& progress);
  std::vector<std::string> names() const;
  const Candidate* choose(std::string_view wanted);
  bool read(const Candidate& chosen, ProfileDocument& document);

  const FileError& error() const { return error_; }

 private:
  static pugi::xml_node lastElement(const pugi::xml_node& parent);
  void fail(std::size_t line, std::size_t column, std::string problem);
  void failAt(const pugi::xml_node& node, std::string problem);
  bool readNumbers(const pugi::xml_node& node, std::string_view text, double* out,
                   std::size_t count, std::string_view shape);
  // negative, when given, takes a leading minus sign off the value.
  bool readAttribute(const pugi::xml_node& node, const char* name, double& value,
                     bool* negative = nullptr);
  bool valid(const std::vector<ProfilePoint>& points, const std::vector<pugi::xml_node>& nodes,
             const Candidate& chosen);
  static void radiiFromLengths(std::vector<ProfilePoint>& points,
                               const std::vector<double>& lengths);
  bool signsAgree(const std::vector<ProfilePoint>& points,
                  const std::vector<pugi::xml_node>& nodes);
  bool readEquations(const Candidate& chosen, ProfileDocument& document);
  bool readStation(const pugi::xml_node& node, const char* name, double& value);
  ProfileNames namesOf(const Candidate& c) const;
  void readGround(const Candidate& chosen, ProfileDocument& document);
  bool readGroundPoints(const Candidate& chosen, ProfileDocument& document);

  std::string_view bytes_;
  std::string_view file_;
  KeptLandXml kept_;
  std::vector<Candidate> candidates_;
  FileError error_;
  LengthUnits units_;
  std::vector<std::size_t> negativeRadii_;
  double groundShift_ = 0;
};

}  // namespace vcurve::profile::landxml
