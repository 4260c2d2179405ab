#pragma once

// What the field page asks of the engine, in plain C++; the page's
// JavaScript reaches it only through engine_bindings.cpp. Every text it
// hands back is made by the same functions the desktop programs print with.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "profile/profile.h"

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
};

struct FillCutAnswer {
  StationAnswer at;
  std::string kind;    // "填" or "挖"
  std::string amount;  // "0.360"
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

  StationAnswer at(const std::string& station) const;
  // 填 when the design lies above the measured elevation (or on it), 挖
  // below; from the printed millimetres, as the stake table subtracts.
  FillCutAnswer fillCut(const std::string& station, const std::string& measured) const;
  // Empty from, to and step: the stake table of every 20 m and key point.
  StakeAnswer stakes(const std::string& from, const std::string& to, const std::string& step,
                     const std::vector<std::string>& added) const;

 private:
  std::shared_ptr<const profile::Profile> profile_;
  std::string path_;  // the file as the table program's code reads it
};

}  // namespace vcurve::web
