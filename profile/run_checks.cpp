#include "profile/run_checks.h"

#include <algorithm>
#include <cmath>

#include "core/station_text.h"
#include "profile/profile_text.h"

namespace vcurve::profile {
namespace {

// A share of exactly 1 is within the limit; floating sums of a few ratios
// are off by far less than a millimetre in a kilometre.
constexpr double kShareSlack = 1e-9;

struct RunPart {
  std::size_t row;
  double percent;
  double length;
  double allowed;  // 0: a grade the run goes on through (too short to relieve it)
};

std::string upOrDown(double percent) { return percent > 0 ? "连续上坡" : "连续下坡"; }

Finding runFinding(const Profile& profile, Rule rule, std::size_t first, std::size_t last) {
  const auto& points = profile.points();
  Finding f;
  f.severity = Severity::Error;
  f.rule = rule;
  f.row = first;
  f.lastRow = last;
  f.onGrade = true;
  f.station = points[first].station;
  f.toStation = points[last + 1].station;
  f.requiredIsMaximum = true;
  return f;
}

void reportRun(const Profile& profile, const CheckBasis& basis, const std::vector<RunPart>& run,
               double share, std::vector<Finding>& findings) {
  Finding f = runFinding(profile, Rule::MaximumGradeLength, run.front().row, run.back().row);
  f.citation = basis.code->cite.gradeLength;
  std::string parts;
  std::string through;
  std::size_t counted = 0;
  for (const RunPart& part : run) {
    const std::string grade =
        gradePercentText(part.percent) + " 坡长 " + fixed3(part.length) + " m";
    if (part.allowed == 0) {
      const bool steep = printedGrade(part.percent) > basis.code->reliefGrade;
      through += (through.empty() ? "" : "、") + grade +
                 (steep ? "（陡于 " + TextFromNumber(basis.code->reliefGrade) + "%）"
                        : "（短于 " + TextFromNumber(basis.limits->minimumGradeLength) + " m）");
      continue;
    }
    ++counted;
    parts += (parts.empty() ? "" : "、") + grade + " / " + TextFromNumber(part.allowed) + " m";
  }
  if (counted == 1) {
    f.quantity = Quantity::Length;
    f.found = run.front().length;
    f.required = run.front().allowed;
  } else {
    f.quantity = Quantity::Share;
    f.found = share;
    f.required = 1;
    f.remark = "各坡段按坡长与最大坡长之比累计：" + parts + "；";
  }
  if (!through.empty()) {
    f.remark += "其间 " + through + "不能作缓和坡段；";
  }
  f.remark += upOrDown(run.front().percent) + "应在不超过最大坡长处设置纵坡不大于 " +
              TextFromNumber(basis.code->reliefGrade) + "%、长度不小于 " +
              TextFromNumber(basis.limits->minimumGradeLength) + " m 的缓和坡段";
  findings.push_back(std::move(f));
}

// The tangent line's elevation at a station inside points[first..last].
double lineElevation(const std::vector<ProfilePoint>& points, std::size_t first, std::size_t last,
                     double station) {
  const auto begin = points.begin() + static_cast<std::ptrdiff_t>(first);
  const auto end = points.begin() + static_cast<std::ptrdiff_t>(last) + 1;
  auto after = std::upper_bound(begin, end, station,
                                [](double s, const ProfilePoint& p) { return s < p.station; });
  if (after == end) return points[last].elevation;
  if (after == begin) return points[first].elevation;
  const ProfilePoint& b = *after;
  const ProfilePoint& a = *(after - 1);
  return a.elevation +
         (b.elevation - a.elevation) * (station - a.station) / (b.station - a.station);
}

// The grade (its first point) holding a station of points[first..last].
std::size_t gradeAt(const std::vector<ProfilePoint>& points, std::size_t first, std::size_t last,
                    double station) {
  std::size_t row = first;
  while (row + 1 < last && points[row + 1].station <= station) ++row;
  return row;
}

// The steepest stretch of `window` metres of a climb from points[first] to
// points[last], and its rise. Along a piecewise linear line the steepest
// window starts or ends at a PVI.
void checkWindow(const Profile& profile, const CheckBasis& basis, std::size_t first,
                 std::size_t last, std::vector<Finding>& findings) {
  const AverageGradeLimits& rule = basis.code->averageGrade;
  const auto& points = profile.points();
  const double from = points[first].station;
  const double lastStart = points[last].station - rule.window;
  double best = -1;
  double bestStart = from;
  const auto consider = [&](double start) {
    if (start < from || start > lastStart) return;
    const double rise = std::fabs(lineElevation(points, first, last, start + rule.window) -
                                  lineElevation(points, first, last, start));
    if (rise > best) {
      best = rise;
      bestStart = start;
    }
  };
  for (std::size_t i = first; i <= last; ++i) {
    consider(points[i].station);
    consider(points[i].station - rule.window);
  }
  const double average = best / rule.window * 100;
  if (best < 0 || printedGrade(average) <= rule.windowGrade) return;
  const double end = bestStart + rule.window;
  Finding f = runFinding(profile, Rule::AverageGrade, gradeAt(points, first, last, bestStart),
                         gradeAt(points, first, last, end - 1e-9));
  f.station = bestStart;
  f.toStation = end;
  f.quantity = Quantity::Grade;
  const double sign = points[last].elevation > points[first].elevation ? 1 : -1;
  f.found = sign * average;
  f.required = rule.windowGrade;
  f.citation = basis.code->cite.averageGrade;
  f.remark = "越岭路线任意连续 " + TextFromNumber(rule.window / 1000) + " km 路段（" +
             chainageText(bestStart) + "–" + chainageText(end) + "）的平均纵坡";
  findings.push_back(std::move(f));
}

void checkClimb(const Profile& profile, const CheckBasis& basis, std::size_t firstGrade,
                std::size_t lastGrade, std::vector<Finding>& findings) {
  const AverageGradeLimits& rule = basis.code->averageGrade;
  const auto& points = profile.points();
  const ProfilePoint& a = points[firstGrade];
  const ProfilePoint& b = points[lastGrade + 1];
  const double rise = printedLength(std::fabs(b.elevation - a.elevation));
  const double length = b.station - a.station;
  if (rise < rule.lowRise || !(length > 0)) return;
  const double limit = rise > rule.highRise ? rule.highRiseGrade : rule.lowRiseGrade;
  const double average = (b.elevation - a.elevation) / length * 100;
  if (printedGrade(average) > limit) {
    Finding f = runFinding(profile, Rule::AverageGrade, firstGrade, lastGrade);
    f.quantity = Quantity::Grade;
    f.found = average;
    f.required = limit;
    f.citation = basis.code->cite.averageGrade;
    f.remark = "越岭路线" + upOrDown(average) + "路段，相对高差 " + fixed3(rise) + " m，长 " +
               fixed3(printedLength(length)) + " m";
    findings.push_back(std::move(f));
  }
  if (rise > rule.highRise && length > rule.window) {
    checkWindow(profile, basis, firstGrade, lastGrade + 1, findings);
  }
}

}  // namespace

MaximumGrade maximumGradeAt(const CheckBasis& basis, double elevation) {
  const DesignCode& code = *basis.code;
  const SpeedLimits& limits = *basis.limits;
  MaximumGrade result{limits.maximumGrade, MaximumGrade::Reason::Table, {}};
  if (code.reductionBands > 0 && elevation > code.reductionFrom) {
    const int bands = std::min(
        code.reductionBands,
        static_cast<int>(std::ceil((elevation - code.reductionFrom) / code.reductionBand)));
    const double floor = std::min(limits.maximumGrade, code.leastReducedGrade);
    const double reduced = std::max(limits.maximumGrade - bands * code.reductionStep, floor);
    if (reduced < result.grade) {
      result = {reduced, MaximumGrade::Reason::Altitude,
                "海拔 " + fixed3(elevation) + " m 的高原路段，最大纵坡折减 " +
                    TextFromNumber(bands * code.reductionStep) + "%（折减后不小于 " +
                    TextFromNumber(code.leastReducedGrade) + "%）"};
    }
  }
  const RoadClass* roadClass = basis.roadClass;
  if (roadClass != nullptr && roadClass->icyMaximumGrade > 0 &&
      roadClass->icyMaximumGrade < result.grade) {
    const bool high = roadClass->icyAltitude > 0 && elevation > roadClass->icyAltitude;
    if (basis.icy || high) {
      result = {roadClass->icyMaximumGrade, MaximumGrade::Reason::Icy,
                std::string(roadClass->name) +
                    (basis.icy ? "位于积雪冰冻地区"
                               : "位于海拔 " + TextFromNumber(roadClass->icyAltitude) + " m 以上") +
                    "，最大纵坡不应大于 " + TextFromNumber(roadClass->icyMaximumGrade) + "%"};
    }
  }
  return result;
}

std::optional<double> maximumGradeLength(const CheckBasis& basis, double steepness) {
  const SpeedLimits& limits = *basis.limits;
  if (limits.gradeLengths.empty()) return std::nullopt;
  if (limits.generalMaximumGrade > 0 && steepness <= limits.generalMaximumGrade) {
    return std::nullopt;
  }
  // A grade between two rows takes the steeper row's length; one steeper
  // than the last row takes the last (it is a maximum-grade fault already).
  // A grade no steeper than a 缓和坡段 is limited only where the table lists
  // that very grade.
  for (const GradeLength& row : limits.gradeLengths) {
    if (row.grade < steepness) continue;
    if (steepness > basis.code->reliefGrade || row.grade == steepness) return row.length;
    return std::nullopt;
  }
  return limits.gradeLengths.back().length;
}

void checkGradeLengths(const Profile& profile, const CheckBasis& basis,
                       std::vector<Finding>& findings) {
  if (basis.limits->gradeLengths.empty()) return;
  const auto& rows = profile.rows();
  const std::size_t grades = profile.points().size() - 1;
  std::vector<RunPart> run;
  double share = 0;
  const auto close = [&] {
    // A run ends on its last steep grade, not on one it went on through.
    while (!run.empty() && run.back().allowed == 0) run.pop_back();
    if (share > 1 + kShareSlack) reportRun(profile, basis, run, share, findings);
    run.clear();
    share = 0;
  };
  for (std::size_t k = 0; k < grades; ++k) {
    const Grade& grade = *rows[k].gradeAfter;
    const double steepness = printedGrade(grade.percent);
    const double length = printedLength(grade.length);
    const bool turns =
        !run.empty() && steepness > 0 && (grade.percent > 0) != (run.front().percent > 0);
    if (const auto allowed = maximumGradeLength(basis, steepness)) {
      if (turns) close();
      run.push_back({k, grade.percent, length, *allowed});
      share += length / *allowed;
    } else if (turns || (steepness <= basis.code->reliefGrade &&
                         length >= basis.limits->minimumGradeLength)) {
      close();
    } else if (!run.empty()) {
      // Too short to relieve the climb, or steeper than a 缓和坡段 and yet
      // not limited: the run goes on through it.
      run.push_back({k, grade.percent, length, 0});
    }
  }
  close();
}

void checkAverageGrades(const Profile& profile, const CheckBasis& basis,
                        std::vector<Finding>& findings) {
  if (!basis.ridgeRoute || basis.code->averageGrade.window <= 0) return;
  if (basis.roadClass != nullptr && !basis.roadClass->averageGrade) return;
  const auto& rows = profile.rows();
  const std::size_t grades = profile.points().size() - 1;
  const auto sign = [&](std::size_t k) {
    const double percent = rows[k].gradeAfter->percent;
    return printedGrade(percent) == 0 ? 0 : percent > 0 ? 1 : -1;
  };
  for (std::size_t k = 0; k < grades;) {
    const int direction = sign(k);
    std::size_t last = k;
    while (direction != 0 && last + 1 < grades && sign(last + 1) == direction) ++last;
    if (direction != 0) checkClimb(profile, basis, k, last, findings);
    k = last + 1;
  }
}

}  // namespace vcurve::profile
