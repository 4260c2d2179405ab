#include "profile/checks.h"

#include <algorithm>
#include <cmath>

#include "core/numeric_text.h"
#include "profile/run_checks.h"

namespace vcurve::profile {
namespace {

class Checker {
 public:
  explicit Checker(const Profile& profile, const CheckBasis& basis)
      : profile_(profile), basis_(basis), code_(*basis.code), limits_(*basis.limits) {}

  std::vector<Finding> run() {
    const auto& points = profile_.points();
    const std::size_t last = points.size() - 1;
    for (const std::size_t end : {std::size_t{0}, last}) {
      if (points[end].radius > 0) {
        Finding f =
            atPoint(Severity::Note, Rule::EndRadius, end, Quantity::Radius, points[end].radius);
        f.remark = "起点和终点不设竖曲线，此半径不起作用";
        add(f);
      }
    }
    for (std::size_t k = 1; k < last; ++k) checkPoint(k);
    for (std::size_t k = 0; k < last; ++k) checkGrade(k, last);
    for (const Profile::Overfull& overfull : profile_.overfullGrades()) checkOverfull(overfull);
    for (std::size_t k = 1; k < last; ++k) checkPastEnds(k);
    checkGradeLengths(profile_, basis_, findings_);
    checkAverageGrades(profile_, basis_, findings_);

    std::stable_sort(findings_.begin(), findings_.end(), [](const Finding& a, const Finding& b) {
      if (a.severity != b.severity) return a.severity < b.severity;
      if (a.station != b.station) return a.station < b.station;
      return a.rule < b.rule;
    });
    return std::move(findings_);
  }

 private:
  Finding atPoint(Severity severity, Rule rule, std::size_t row, Quantity quantity, double found) {
    Finding f;
    f.severity = severity;
    f.rule = rule;
    f.row = row;
    f.station = f.toStation = profile_.points()[row].station;
    f.lastRow = row;
    f.quantity = quantity;
    f.found = found;
    return f;
  }

  Finding onGrade(Severity severity, Rule rule, std::size_t row, Quantity quantity, double found) {
    Finding f = atPoint(severity, rule, row, quantity, found);
    f.onGrade = true;
    f.toStation = profile_.points()[row + 1].station;
    return f;
  }

  void add(Finding f) { findings_.push_back(std::move(f)); }

  // Below the 极限值 is an error, below the 一般值 a warning.
  void atLeast(Finding f, double value, const Limit& limit) {
    if (value < limit.minimum) {
      f.required = limit.minimum;
      add(f);
    } else if (value < limit.general) {
      f.severity = Severity::Warning;
      f.required = limit.general;
      f.generalValue = true;
      add(f);
    }
  }

  void checkPoint(std::size_t k) {
    const RowDerivation& row = profile_.rows()[k];
    if (row.curve) {
      const VerticalCurve& c = *row.curve;
      const bool crest = c.kind == CurveKind::Crest;
      const auto cited = [&](Finding f) {
        f.citation = code_.cite.verticalCurve;
        return f;
      };
      atLeast(cited(atPoint(Severity::Error, crest ? Rule::CrestRadius : Rule::SagRadius, k,
                            Quantity::Radius, c.radius)),
              printedLength(c.radius), crest ? limits_.crestRadius : limits_.sagRadius);
      atLeast(cited(atPoint(Severity::Error, Rule::CurveLength, k, Quantity::Length, c.length)),
              printedLength(c.length), limits_.curveLength);
    } else if (printedGrade(*row.omega) > 0) {
      Finding f =
          atPoint(Severity::Note, Rule::BreakWithoutCurve, k, Quantity::GradeBreak, *row.omega);
      f.remark = "变坡点处宜设竖曲线";
      add(f);
    }
  }

  void checkGrade(std::size_t k, std::size_t last) {
    const Grade& grade = *profile_.rows()[k].gradeAfter;
    const double steepness = printedGrade(grade.percent);
    checkMaximumGrade(k, grade, steepness);
    if (steepness < code_.drainageGrade) {
      Finding f = onGrade(Severity::Note, Rule::GentleGrade, k, Quantity::Grade, grade.percent);
      f.required = code_.drainageGrade;
      f.citation = code_.cite.drainage;
      f.remark = "横向排水不畅或路堑路段，边沟应作纵向排水设计";
      add(f);
    }
    if (printedLength(grade.length) < limits_.minimumGradeLength) {
      // The first and the last grade run on beyond the profile into the
      // road next to it, whose length this file does not know.
      const bool atEnd = k == 0 || k + 1 == last;
      Finding f = onGrade(atEnd ? Severity::Note : Severity::Error, Rule::MinimumGradeLength, k,
                          Quantity::Length, grade.length);
      f.required = limits_.minimumGradeLength;
      f.citation = code_.cite.minimumGradeLength;
      if (atEnd) f.remark = "起终点处的坡段，应连同相邻路段的坡长一并核查";
      add(f);
    }
  }

  // The highest end of the grade decides the reductions for altitude, which
  // bind without allowance.
  void checkMaximumGrade(std::size_t k, const Grade& grade, double steepness) {
    const auto& points = profile_.points();
    const double high = std::max(points[k].elevation, points[k + 1].elevation);
    const MaximumGrade limit = maximumGradeAt(basis_, high);
    const auto finding = [&](Severity severity, double required) {
      Finding f = onGrade(severity, Rule::MaximumGrade, k, Quantity::Grade, grade.percent);
      f.required = required;
      f.requiredIsMaximum = true;
      f.citation = code_.cite.maximumGrade;
      return f;
    };
    if (limit.reason != MaximumGrade::Reason::Table && steepness > limit.grade) {
      Finding f = finding(Severity::Error, limit.grade);
      f.citation =
          limit.reason == MaximumGrade::Reason::Altitude ? code_.cite.altitude : code_.cite.icy;
      f.remark = limit.remark;
      add(f);
      return;
    }
    const double maximum = limits_.maximumGrade;
    const RoadClass* roadClass = basis_.roadClass;
    if (steepness > maximum) {
      const bool allowance =
          !limits_.gradeAllowance.empty() && (roadClass == nullptr || roadClass->gradeAllowance);
      const double raised = maximum + 1;
      Finding f = finding(Severity::Error, maximum);
      if (!allowance) {
        f.remark = roadClass != nullptr ? std::string(roadClass->name) + "规范不允许增加最大纵坡"
                                        : "此设计速度下规范不允许增加最大纵坡";
      } else if (steepness <= raised) {
        f.severity = Severity::Warning;
        f.remark = std::string(limits_.gradeAllowance) + "（即不超过 " + TextFromNumber(raised) +
                   "%）；采用须经技术经济论证";
      } else {
        f.remark = "即使按规范增加 1%（不超过 " + TextFromNumber(raised) + "%）也超出";
      }
      add(f);
    } else if (limits_.generalMaximumGrade > 0 && steepness > limits_.generalMaximumGrade) {
      Finding f = finding(Severity::Warning, limits_.generalMaximumGrade);
      f.generalValue = true;
      f.remark = "新建道路应采用不大于一般值的纵坡；改建道路或受地形条件限制时可用极限值 " +
                 TextFromNumber(maximum) + "%";
      add(f);
    }
  }

  void checkOverfull(const Profile::Overfull& overfull) {
    const std::size_t k = overfull.row;
    const auto& rows = profile_.rows();
    const std::size_t last = profile_.points().size() - 1;
    const bool curveHere = rows[k].curve.has_value();
    const bool curveNext = rows[k + 1].curve.has_value();
    Rule rule = Rule::CurvesOverlap;
    if (k == 0 || k + 1 == last) {
      rule = Rule::CurvePastEnd;
    } else if (!curveHere || !curveNext) {
      rule = Rule::CurvePastPvi;
    }
    Finding f = onGrade(Severity::Error, rule, k, Quantity::Length, overfull.taken);
    f.required = rows[k].gradeAfter->length;
    f.requiredIsMaximum = true;
    if (rule == Rule::CurvePastEnd) {
      // Say it of the curve: it is the curve that has to change.
      const std::size_t pvi = k == 0 ? k + 1 : k;
      f.row = pvi;
      f.onGrade = false;
      f.station = f.toStation = profile_.points()[pvi].station;
      f.remark = k == 0 ? "竖曲线起点在纵断面起点之前" : "竖曲线终点在纵断面终点之后";
    } else if (rule == Rule::CurvePastPvi) {
      f.remark = "竖曲线越过了相邻的变坡点";
    } else {
      f.remark = "两个竖曲线的切线长之和超过两变坡点间的坡长";
    }
    add(f);
  }

  // A curve can reach past the start or the end over other PVIs, behind
  // another curve: the overlap is one fault, leaving the profile another.
  void checkPastEnds(std::size_t k) {
    const auto& c = profile_.rows()[k].curve;
    if (!c) return;
    const double start = profile_.startStation();
    const double end = profile_.endStation();
    const bool before = c->startStation < start - kTouchTolerance;
    const bool after = c->endStation > end + kTouchTolerance;
    if (!before && !after) return;
    const bool said = std::any_of(findings_.begin(), findings_.end(), [&](const Finding& f) {
      return f.rule == Rule::CurvePastEnd && f.row == k;
    });
    if (said) return;
    const double room =
        before ? c->startStation + c->tangent - start : end - c->endStation + c->tangent;
    Finding f = atPoint(Severity::Error, Rule::CurvePastEnd, k, Quantity::Length, c->tangent);
    f.required = room;
    f.requiredIsMaximum = true;
    f.remark = before ? "竖曲线起点在纵断面起点之前" : "竖曲线终点在纵断面终点之后";
    add(f);
  }

  const Profile& profile_;
  const CheckBasis& basis_;
  const DesignCode& code_;
  const SpeedLimits& limits_;
  std::vector<Finding> findings_;
};

}  // namespace

std::vector<Finding> checkProfile(const Profile& profile, const CheckBasis& basis) {
  if (!profile.usable() || basis.code == nullptr || basis.limits == nullptr) return {};
  return Checker(profile, basis).run();
}

std::vector<Finding> checkProfile(const Profile& profile, const DesignCode& code,
                                  const SpeedLimits& limits) {
  return checkProfile(profile, CheckBasis{&code, &limits});
}

bool hasErrors(const std::vector<Finding>& findings) {
  return std::any_of(findings.begin(), findings.end(),
                     [](const Finding& f) { return f.severity == Severity::Error; });
}

}  // namespace vcurve::profile
