#include "sections/resultant_grade.h"

#include <algorithm>
#include <cmath>

#include "core/numeric_text.h"
#include "profile/profile_text.h"
#include "profile/run_checks.h"

namespace vcurve::sections {
namespace {

using profile::Finding;

// The stations between which the grade and both cross slopes are linear
// in the station: the superelevation's own bends and the profile's
// element boundaries.
std::vector<double> breaks(const Superelevation& c, double crown, const profile::Profile& profile) {
  std::vector<double> at{c.start, c.fullStart, c.fullEnd, c.end};
  // Where the inner side starts to turn, t = i_G/i_b or 2i_G/(i_G + i_b).
  const double turn =
      c.axis == RotationAxis::Centreline ? 2 * crown / (crown + c.rate) : crown / c.rate;
  at.push_back(c.start + turn * (c.fullStart - c.start));
  at.push_back(c.end - turn * (c.end - c.fullEnd));
  for (const profile::Element& e : profile.elements()) {
    if (e.start > c.start && e.start < c.end) at.push_back(e.start);
  }
  std::sort(at.begin(), at.end());
  at.erase(std::unique(at.begin(), at.end()), at.end());
  return at;
}

struct Worst {
  double station = 0;
  double value = 0;
  bool found = false;
};

Finding finding(const profile::Profile& profile, const Superelevation& c, profile::Rule rule,
                const Worst& worst) {
  Finding f;
  f.rule = rule;
  f.station = f.toStation = worst.station;
  const profile::StationLookup look = profile.lookup(worst.station);
  f.row = f.lastRow = look.row;
  f.quantity = profile::Quantity::Grade;
  f.found = worst.value;
  f.remark = "超高段 " + profile.stationText(c.start) + "–" + profile.stationText(c.end) +
             "，超高横坡 " + TextFromNumber(c.rate) + "%，该处纵坡 " +
             profile::gradePercentText(look.grade);
  return f;
}

}  // namespace

ResultantGrade resultantGradeAt(const Sections& sections, const profile::Profile& profile,
                                double station) {
  ResultantGrade r;
  const auto section = sections.at(station);
  const auto grade = profile.gradeAt(station);
  if (!section || !grade) return r;
  const Superelevation* c = sections.curveAt(station);
  const double left = section->left.slope, right = section->right.slope;
  const double outer = c == nullptr              ? std::max(left, right)
                       : c->inner == Side::Right ? left
                                                 : right;
  r.steepest = std::hypot(*grade, std::max(std::fabs(left), std::fabs(right)));
  r.outer = std::hypot(*grade, outer);
  return r;
}

std::vector<Finding> checkResultantGrades(const profile::Profile& profile, const Sections& sections,
                                          const profile::CheckBasis& basis) {
  std::vector<Finding> findings;
  if (basis.code == nullptr || basis.limits == nullptr || !profile.usable()) return findings;
  const double maximum =
      basis.icy && basis.code->icyResultantGrade > 0
          ? std::min(basis.limits->maximumResultantGrade, basis.code->icyResultantGrade)
          : basis.limits->maximumResultantGrade;
  const double least = basis.code->minimumResultantGrade;
  for (const Superelevation& c : sections.curves()) {
    const SectionTemplate* t = sections.templateAt(c.start);
    if (t == nullptr) continue;
    const std::vector<double> at = breaks(c, t->crown, profile);
    Worst steepest, flattest;
    const auto consider = [&](double station) {
      if (!profile.lookup(station).ok()) return;
      const ResultantGrade r = resultantGradeAt(sections, profile, station);
      if (!steepest.found || r.steepest > steepest.value) steepest = {station, r.steepest, true};
      if (!flattest.found || r.outer < flattest.value) flattest = {station, r.outer, true};
    };
    // Both quantities are √(a² + b²) of two linear functions between
    // breaks: the steepest lies at a break, the flattest where the
    // quadratic under the root is least.
    for (std::size_t k = 0; k < at.size(); ++k) {
      consider(at[k]);
      if (k + 1 == at.size()) break;
      const double p = at[k], q = at[k + 1];
      const double inset = std::min(1e-6, (q - p) / 4);
      const auto gp = profile.gradeAt(p + inset), gq = profile.gradeAt(q - inset);
      const auto sp = sections.at(p + inset), sq = sections.at(q - inset);
      if (!gp || !gq || !sp || !sq) continue;
      const auto outerOf = [&](const CrossSection& s) {
        return c.inner == Side::Right ? s.left.slope : s.right.slope;
      };
      const double span = (q - inset) - (p + inset);
      const double a = *gp, b = (*gq - *gp) / span;
      const double e = outerOf(*sp), d = (outerOf(*sq) - e) / span;
      if (b * b + d * d == 0) continue;
      const double x = -(a * b + e * d) / (b * b + d * d);
      if (x > 0 && x < span) consider(p + inset + x);
    }
    if (steepest.found && profile::printedGrade(steepest.value) > maximum) {
      Finding f = finding(profile, c, profile::Rule::ResultantGrade, steepest);
      f.severity = profile::Severity::Error;
      f.required = maximum;
      f.requiredIsMaximum = true;
      f.citation = basis.code->cite.resultantGrade;
      if (maximum < basis.limits->maximumResultantGrade) f.remark += "；积雪冰冻地区";
      findings.push_back(std::move(f));
    }
    if (least > 0 && flattest.found && profile::printedGrade(flattest.value) < least) {
      Finding f = finding(profile, c, profile::Rule::LowResultantGrade, flattest);
      f.severity = profile::Severity::Warning;
      f.required = least;
      f.citation = basis.code->cite.minimumResultantGrade;
      f.remark += "；合成坡度过小处路面排水不畅，应采取综合排水措施";
      findings.push_back(std::move(f));
    }
  }
  return findings;
}

}  // namespace vcurve::sections
