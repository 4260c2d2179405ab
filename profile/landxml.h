#pragma once

// LandXML 1.2, the exchange format of the big road-design suites: the
// design profile (ProfAlign: PVI, ParaCurve, CircCurve) of an alignment,
// and the ground line (ProfSurf) beside it.

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "profile/chainage_equations.h"
#include "profile/file_error.h"
#include "profile/ground_line.h"
#include "profile/profile.h"
#include "profile/road_settings.h"

namespace vcurve::profile {

struct ProfileDocument {
  std::string name;                         // the profile's own name
  std::vector<ProfilePoint> points;         // at true distances (连续里程)
  std::vector<ChainageEquation> equations;  // in road order; the stations' numbering
  std::vector<GroundPoint> ground;          // empty when the file has none
  // Read from a CSV file: what it holds that writing the profile back
  // would lose ("标题行、“施工单位”列"); empty when nothing.
  std::string csvUnkept;
  // The unit a LandXML file's lengths were in when not metres ("英尺"):
  // everything above is converted to metres.
  std::string units;
  // Why the file's ground line was left out, with its place; the design
  // line is read all the same.
  std::string groundProblem;
  RoadSettings settings;  // the defaults when the file keeps none
};

// The name of every design profile in the file, in file order: its
// ProfAlign's name, else its Profile's, else its Alignment's; where two
// share a name, "alignment/name（start–end）". Any of these names chooses
// the profile.
Loaded<std::vector<std::string>> landXmlProfileNames(std::string_view bytes,
                                                     std::string_view fileName);

// The design profile called `name` (its own, its Profile's or its
// Alignment's name); with no name, the only one in the file. A ParaCurve's
// radius follows from its length and the grades either side; a CircCurve's
// is its radius, whose sign, where negative, marks a crest. Lengths in
// feet or other units are converted to metres. The Alignment's StaEquation
// are the 断链; the PVI stations are internal stations (the true
// distance). A point's desc is its remark.
//
// The file is read in one pass that keeps only that profile and the names:
// a suite's TIN surfaces and plan geometry cost time, not memory. progress,
// when given, is told how many bytes have been read, every few megabytes.
using ReadProgress = std::function<void(std::size_t)>;
Loaded<ProfileDocument> readLandXml(std::string_view bytes, std::string_view fileName,
                                    std::string_view name = {}, const ReadProgress& progress = {});

// The names and then the profile chosen from them, in one pass over the
// file: for a window that lists the names before the user picks one. It
// keeps every profile's design line and ground line, nothing else. The
// bytes must outlive it: a message finds its line and column in them.
class LandXmlFile {
 public:
  LandXmlFile(std::string_view bytes, std::string_view fileName, const ReadProgress& progress = {});
  ~LandXmlFile();
  LandXmlFile(LandXmlFile&&) noexcept;
  LandXmlFile& operator=(LandXmlFile&&) noexcept;

  // Why the file cannot be read at all; then there are no names.
  const std::optional<FileError>& error() const;
  // As landXmlProfileNames gives them.
  const std::vector<std::string>& names() const;
  // As readLandXml(bytes, fileName, name) gives it.
  Loaded<ProfileDocument> read(std::string_view name = {});

 private:
  struct Parts;
  std::unique_ptr<Parts> parts_;
};

struct LandXmlOptions {
  std::string name = "设计线";
  std::string groundName = "地面线";
  // The file's date ("2024-05-01") and time ("13:45:00"); now, in UTC,
  // when empty.
  std::string date;
  std::string time;
  RoadSettings settings;  // written as a Feature unless all are defaults
};

// Curves are written as ParaCurve with their length, a remark as desc; the equations as
// StaEquation, the stations in metres as internal stations. A radius with no
// grade break to act on (at the start or the end, or where ω = 0) makes no
// curve and is not kept.
std::string landXml(const Profile& profile, const GroundLine* ground,
                    const LandXmlOptions& options);

}  // namespace vcurve::profile
