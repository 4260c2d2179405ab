#pragma once

// What the field page asks of the engine, in plain C++; the page's
// JavaScript reaches it only through engine_bindings.cpp. Every text it
// hands back is made by the same functions the desktop programs print with.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "profile/profile.h"
#include "sections/cross_section.h"

namespace vcurve::web {

struct LoadAnswer {
  std::string problem;  // why the file was refused; empty when it was read
  std::string warning;  // read, but something in it was passed over
  std::string start, end;
  std::size_t points = 0;
  std::size_t equations = 0;
};

struct StationAnswer {
  std::string problem;    // why there is no elevation; empty when there is one
  std::string station;    // the field station as the desktop writes it
  std::string distance;   // the true distance, where the road has 断链
  std::string elevation;  // "826.260"
  std::string grade;      // per cent, "2.50"
  std::string element;    // "凸曲线（第 3 点）"
  // With a sections file, where a section holds: the 路肩 (subgrade edge)
  // elevations as `vcurve-table --edge-columns` writes them, and the
  // carriageway's cross slopes going outward, per cent.
  std::string leftEdge, rightEdge;
  std::string leftSlope, rightSlope;
  double trueDistance = 0, exactElevation = 0;  // unprinted, for 挂线 off the centre
};

struct SectionsAnswer {
  std::string problem;  // why the file was refused; empty when it was read
  std::size_t templates = 0;
  std::size_t curves = 0;
};

struct FillCutAnswer {
  StationAnswer at;
  std::string kind;       // "填" or "挖"
  std::string amount;     // "0.360"
  std::string offset;     // "左 3.500"; empty on the design elevation itself
  std::string elevation;  // the design elevation at the offset, "826.190"
};

struct StakeAnswer {
  std::string problem;                // a request the table program refuses
  std::vector<std::string> messages;  // "错误：第3点…", as it says them
  std::string csv;                    // the bytes `vcurve-table --profile … --output` writes
};

class FieldSession {
 public:
  // fileName only names the file in messages and tells nothing else.
  LoadAnswer load(const std::string& bytes, const std::string& fileName);
  bool loaded() const { return profile_ != nullptr; }
  // Read through the loaded profile's 断链; a new profile drops them.
  SectionsAnswer loadSections(const std::string& bytes, const std::string& fileName);

  StationAnswer at(const std::string& station) const;
  // 填 when the design lies above the measured elevation (or on it), 挖
  // below; from the printed millimetres, as the stake table subtracts.
  // offset: metres from the centreline, left negative; empty for the
  // design elevation itself.
  FillCutAnswer fillCut(const std::string& station, const std::string& measured,
                        const std::string& offset = {}) const;
  // Empty from, to and step: the stake table of every 20 m and key point.
  StakeAnswer stakes(const std::string& from, const std::string& to, const std::string& step,
                     const std::vector<std::string>& added) const;

 private:
  std::shared_ptr<const profile::Profile> profile_;
  std::string path_;  // the file as the table program's code reads it
  std::optional<sections::Sections> sections_;
  // The section at a true distance, none without sections or a template.
  std::optional<sections::CrossSection> sectionAt(double distance) const;
};

}  // namespace vcurve::web
