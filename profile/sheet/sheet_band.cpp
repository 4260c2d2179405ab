// The band table (资料表) under the lines: one row per item, its title at
// the left, the values at every stake of the stake table written upright
// at their stations, and the grades as one diagonal each.

#include <algorithm>
#include <vector>

#include "profile/profile_text.h"
#include "profile/sheet/sheet_parts.h"

namespace vcurve::profile::sheet {
namespace {

// Upright texts closer than this would touch; later ones move right.
constexpr double kTextGap = 0.7;

struct Stake {
  StakeRow row;
  double x = 0;     // the station on paper
  double text = 0;  // where its texts go, moved off a neighbour's
};

std::vector<Stake> stakesOn(const StakeTable& table, const SheetGeometry& g) {
  std::vector<Stake> stakes;
  // A stake at the seam of two sheets is on both, as the overlap is.
  for (std::size_t r = table.rowAtOrAfter(g.start - 1e-7); r < table.size(); ++r) {
    const double station = table.station(r);
    if (station > g.end + 1e-7) break;
    stakes.push_back({table.row(r), g.x(station), g.x(station)});
  }
  const double pitch = kValueText + kTextGap;
  for (std::size_t i = 1; i < stakes.size(); ++i) {
    stakes[i].text = std::max(stakes[i].text, stakes[i - 1].text + pitch);
  }
  // Pushed past the band's end, the last ones move back left.
  const double last = g.plotRight + 4;
  for (std::size_t i = stakes.size(); i-- > 0;) {
    const double limit = i + 1 < stakes.size() ? stakes[i + 1].text - pitch : last;
    stakes[i].text = std::min(stakes[i].text, limit);
  }
  return stakes;
}

void uprightValues(const std::vector<Stake>& stakes, double bottom, Sheet& sheet,
                   const auto& textOf) {
  for (const Stake& stake : stakes) {
    std::string text = textOf(stake.row);
    if (text.empty()) continue;
    sheet.text({stake.text, bottom + 1}, std::move(text), kValueText, HAlign::Left, VAlign::Middle,
               Layer::Text, 90);
  }
}

void bracket(Sheet& sheet, double x0, double x1, double y, double tick, Layer layer) {
  sheet.lines.push_back({{{x0, y + tick}, {x0, y}, {x1, y}, {x1, y + tick}}, layer});
}

void gradeRow(const Profile& profile, const SheetGeometry& g, double bottom, double top,
              Sheet& sheet) {
  const auto& points = profile.points();
  const double middle = (bottom + top) / 2;
  for (std::size_t k = 0; k + 1 < points.size(); ++k) {
    const double a = std::max(points[k].station, g.start);
    const double b = std::min(points[k + 1].station, g.end);
    if (!(a < b)) continue;
    const double percent = profile.rows()[k].gradeAfter->percent;
    const double x0 = g.x(a), x1 = g.x(b);
    const double low = bottom + 1, high = top - 1;
    if (percent > 0) {
      sheet.line({x0, low}, {x1, high}, Layer::Band);
    } else if (percent < 0) {
      sheet.line({x0, high}, {x1, low}, Layer::Band);
    } else {
      sheet.line({x0, middle}, {x1, middle}, Layer::Band);
    }
    const double centre = (x0 + x1) / 2;
    sheet.text({centre, middle + 0.8}, cellText(profile, k, TableColumn::Grade), kValueText,
               HAlign::Centre, VAlign::Bottom, Layer::Text);
    sheet.text({centre, middle - 0.8}, cellText(profile, k, TableColumn::GradeLength), kValueText,
               HAlign::Centre, VAlign::Top, Layer::Text);
  }
  for (const ProfilePoint& point : points) {
    if (point.station > g.start && point.station < g.end) {
      sheet.line({g.x(point.station), bottom}, {g.x(point.station), top}, Layer::Band);
    }
  }
}

void curveRow(const Profile& profile, const SheetGeometry& g, double bottom, double top,
              Sheet& sheet) {
  const double middle = (bottom + top) / 2;
  for (const RowDerivation& row : profile.rows()) {
    if (!row.curve) continue;
    const VerticalCurve& curve = *row.curve;
    const double a = std::max(curve.startStation, g.start);
    const double b = std::min(curve.endStation, g.end);
    if (!(a < b)) continue;
    const double tick = curve.kind == CurveKind::Crest ? -2 : 2;
    bracket(sheet, g.x(a), g.x(b), middle - 1, tick, Layer::CurveMarks);
    sheet.text({(g.x(a) + g.x(b)) / 2, middle + 0.5}, curveLabel(curve), 2.0, HAlign::Centre,
               VAlign::Bottom, Layer::Text);
  }
}

void geologyRow(const SheetSettings& settings, const SheetGeometry& g, double bottom, double top,
                Sheet& sheet) {
  for (const GeologyNote& note : settings.geology) {
    const double a = std::max(note.from, g.start);
    const double b = std::min(note.to, g.end);
    if (!(a < b)) continue;
    for (const double edge : {note.from, note.to}) {
      if (edge > g.start && edge < g.end) {
        sheet.line({g.x(edge), bottom}, {g.x(edge), top}, Layer::Band);
      }
    }
    sheet.text({(g.x(a) + g.x(b)) / 2, (bottom + top) / 2}, note.text, kValueText, HAlign::Centre,
               VAlign::Middle, Layer::Text);
  }
}

}  // namespace

void drawBand(const SheetLayout& layout, const Profile& profile, const SheetGeometry& g,
              bool titles, Sheet& sheet) {
  const SheetSettings& settings = layout.settings();
  const std::vector<Stake> stakes = stakesOn(layout.stakeTable(), g);
  sheet.line({g.columnRight, g.stripTop}, {g.columnRight, g.bandTop}, Layer::Band, Stroke::Medium);
  double bottom = g.stripTop;
  for (const BandRow& row : settings.rows) {
    const double top = bottom + row.height;
    sheet.line({g.left, top}, {g.right, top}, Layer::Band,
               top == g.bandTop ? Stroke::Medium : Stroke::Thin);
    if (titles) {
      const std::string_view title = bandRowTitle(row.kind);
      const double room = g.columnRight - g.left - 2;
      const double length = textLength(title, kLabelText);
      sheet.text({(g.left + g.columnRight) / 2, (bottom + top) / 2}, std::string(title),
                 length > room ? kLabelText * room / length : kLabelText, HAlign::Centre,
                 VAlign::Middle, Layer::Band);
    }
    switch (row.kind) {
      case BandRowKind::Station:
        for (const Stake& stake : stakes) {
          sheet.line({stake.x, top - 2}, {stake.x, top}, Layer::Band);
        }
        uprightValues(stakes, bottom, sheet, [](const StakeRow& r) {
          return StakeTable::cellText(r, StakeColumn::Station);
        });
        break;
      case BandRowKind::Ground:
        uprightValues(stakes, bottom, sheet, [](const StakeRow& r) {
          return StakeTable::cellText(r, StakeColumn::Ground);
        });
        break;
      case BandRowKind::Design:
        uprightValues(stakes, bottom, sheet, [](const StakeRow& r) {
          return StakeTable::cellText(r, StakeColumn::Design);
        });
        break;
      case BandRowKind::FillCut:
        uprightValues(stakes, bottom, sheet, fillCutText);
        break;
      case BandRowKind::Grade:
        gradeRow(profile, g, bottom, top, sheet);
        break;
      case BandRowKind::Curve:
        curveRow(profile, g, bottom, top, sheet);
        break;
      case BandRowKind::Geology:
        geologyRow(settings, g, bottom, top, sheet);
        break;
      case BandRowKind::Alignment:
      case BandRowKind::Superelevation:
        break;  // drawn by hand until the plan is known
    }
    bottom = top;
  }
}

}  // namespace vcurve::profile::sheet
