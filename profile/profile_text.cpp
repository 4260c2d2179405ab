#include "profile/profile_text.h"

#include <array>
#include <cmath>

#include "core/numeric_text.h"
#include "core/station_text.h"

namespace vcurve::profile {
namespace {

std::string placeAt(double station, const ChainageEquations* chainage) {
  return chainage ? chainage->text(station) : chainageText(station);
}

constexpr std::array<std::string_view, kTableColumns> kTitles{
    "变坡点桩号", "高程(m)",    "竖曲线半径R(m)", "纵坡i(%)",   "坡长(m)",   "凸/凹",
    "切线长T(m)", "曲线长L(m)", "外距E(m)",       "竖曲线起点", "竖曲线终点"};

}  // namespace

std::string fixedText(double value, int decimals) {
  std::string text = FixedText(value, decimals);
  if (text.starts_with('-') && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
  return text;
}

std::string fixed3(double value) { return fixedText(value, 3); }
std::string gradeText(double percent) { return fixedText(percent, 2); }
std::string gradePercentText(double percent) { return gradeText(percent) + "%"; }

std::string gradeLabel(const Grade& grade) {
  return "i=" + gradePercentText(grade.percent) + "  L=" + fixed3(grade.length);
}

std::string gridChainageText(double station) {
  const std::string full = chainageText(std::nearbyint(station));
  return full.substr(0, full.size() - 4);
}

std::string exactText(double value) {
  const std::string text = ShortestFixedText(value);
  return text == "-0" ? "0" : text;
}

std::string stationText(double station, StationStyle style) {
  return style == StationStyle::Chainage ? chainageText(station) : fixed3(station);
}

std::string storedText(InputColumn column, double value) {
  std::string text = inputText(column, value);
  if (column != InputColumn::Elevation || !std::isfinite(value)) return text;
  const std::size_t point = text.find('.');
  const std::size_t decimals = point == std::string::npos ? 0 : text.size() - point - 1;
  // Up to three decimals the fixed text is the same number; past three the
  // exact one is kept, or the file would not read back to what was typed.
  return decimals < 3 ? fixed3(value) : text;
}

std::string inputText(InputColumn column, double value) {
  if (column == InputColumn::Station && std::isfinite(value)) {
    const std::string chainage = chainageText(value);
    const auto field = stationFieldText(chainage);
    if (field && NumberFromText(*field) == value) return chainage;
  }
  return exactText(value);
}

double gridStep(double smallest) {
  if (!(smallest > 0) || !std::isfinite(smallest)) return 1;
  const double power = std::pow(10.0, std::floor(std::log10(smallest)));
  for (const double factor : {1.0, 2.0, 5.0, 10.0}) {
    if (factor * power >= smallest * (1 - 1e-12)) return factor * power;
  }
  return 10 * power;
}

std::string axisText(double value, double step) {
  int decimals = 0;
  while (decimals < 6 && std::fabs(step * std::pow(10.0, decimals) -
                                   std::nearbyint(step * std::pow(10.0, decimals))) > 1e-9) {
    ++decimals;
  }
  return fixedText(value, decimals);
}

std::string_view curveKindText(CurveKind kind) {
  switch (kind) {
    case CurveKind::Crest:
      return "凸";
    case CurveKind::Sag:
      return "凹";
    case CurveKind::None:
      break;
  }
  return "";
}

std::string_view keyPointText(KeyPointKind kind) {
  switch (kind) {
    case KeyPointKind::Start:
      return "起点";
    case KeyPointKind::CurveStart:
      return "竖曲线起点";
    case KeyPointKind::Pvi:
      return "变坡点";
    case KeyPointKind::CurveEnd:
      return "竖曲线终点";
    case KeyPointKind::End:
      break;
  }
  return "终点";
}

std::string_view lookupProblemText(LookupStatus status) {
  switch (status) {
    case LookupStatus::Ok:
      return "";
    case LookupStatus::OutsideProfile:
      return "桩号不在纵断面起终点之间";
    case LookupStatus::InOverlap:
      return "此处竖曲线重叠，不计算高程";
    case LookupStatus::Unusable:
      break;
  }
  return "纵断面数据有误，不能计算";
}

std::string lookupProblemAt(const Profile& profile, double station, LookupStatus status) {
  if (status != LookupStatus::InOverlap) return std::string(lookupProblemText(status));
  const auto& points = profile.points();
  std::size_t claiming = 0;
  std::size_t count = 0;
  for (std::size_t k = 1; k + 1 < points.size(); ++k) {
    const auto& c = profile.rows()[k].curve;
    if (c && station >= c->startStation && station <= c->endStation) {
      claiming = k;
      ++count;
    }
  }
  if (count != 1) return std::string(lookupProblemText(status));
  const VerticalCurve& c = *profile.rows()[claiming].curve;
  // Where the curve runs past a PVI the grades break under it: it describes
  // no line there, though nothing else claims the station.
  const bool pastPvi =
      (claiming > 1 && c.startStation < points[claiming - 1].station) ||
      (claiming + 2 < points.size() && c.endStation > points[claiming + 1].station);
  return "此处在" + rowText(claiming) + "的竖曲线上，但该竖曲线" +
         (pastPvi ? "越过了相邻的变坡点" : "超出了纵断面起终点") + "，不计算高程";
}

TableColumn tableColumn(std::size_t index) { return static_cast<TableColumn>(index); }

std::string_view columnTitle(TableColumn column) {
  return kTitles[static_cast<std::size_t>(column)];
}

std::string cellText(const Profile& profile, std::size_t row, TableColumn column,
                     StationStyle style) {
  if (row >= profile.size()) return {};
  const ProfilePoint& p = profile.points()[row];
  const auto stationText = [&](double station, StationStyle style) {
    if (profile.chainage().empty()) return profile::stationText(station, style);
    return style == StationStyle::Chainage ? profile.stationText(station)
                                           : fixed3(profile.chainage().field(station));
  };
  switch (column) {
    case TableColumn::Station:
      return stationText(p.station, style);
    case TableColumn::Elevation:
      return fixed3(p.elevation);
    case TableColumn::Radius: {
      const bool end = row == 0 || row + 1 == profile.size();
      return end && p.radius == 0 ? std::string() : exactText(p.radius);
    }
    default:
      break;
  }
  if (!profile.usable()) return {};
  const RowDerivation& derived = profile.rows()[row];
  if (column == TableColumn::Grade || column == TableColumn::GradeLength) {
    if (!derived.gradeAfter) return {};
    return column == TableColumn::Grade ? gradeText(derived.gradeAfter->percent)
                                        : fixed3(derived.gradeAfter->length);
  }
  if (!derived.curve) return {};
  const VerticalCurve& c = *derived.curve;
  switch (column) {
    case TableColumn::Kind:
      return std::string(curveKindText(c.kind));
    case TableColumn::Tangent:
      return fixed3(c.tangent);
    case TableColumn::CurveLength:
      return fixed3(c.length);
    case TableColumn::External:
      return fixed3(c.external);
    case TableColumn::CurveStart:
      return stationText(c.startStation, style);
    case TableColumn::CurveEnd:
      return stationText(c.endStation, style);
    default:
      return {};
  }
}

TableColumn findingColumn(const Finding& finding) {
  switch (finding.rule) {
    case Rule::CurveLength:
      return TableColumn::CurveLength;
    case Rule::MaximumGrade:
    case Rule::GentleGrade:
      return TableColumn::Grade;
    case Rule::MinimumGradeLength:
    case Rule::MaximumGradeLength:
      return TableColumn::GradeLength;
    case Rule::AverageGrade:
    case Rule::ResultantGrade:
    case Rule::LowResultantGrade:
      return TableColumn::Grade;
    case Rule::CurvesOverlap:
    case Rule::CurvePastPvi:
    case Rule::CurvePastEnd:
      return TableColumn::Tangent;
    default:
      return TableColumn::Radius;
  }
}

std::string curveLabel(const VerticalCurve& curve) {
  return "R=" + exactText(curve.radius) + "  T=" + fixed3(curve.tangent) +
         "  E=" + fixed3(curve.external);
}

std::string matchText(const ElevationMatch& match, const ChainageEquations* chainage) {
  if (match.through > match.station) {
    return placeAt(match.station, chainage) + " 至 " + placeAt(match.through, chainage) +
           "（平坡）";
  }
  return placeAt(match.station, chainage);
}

}  // namespace vcurve::profile
