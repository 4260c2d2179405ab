#include "sections/subgrade_table.h"

#include "core/numeric_text.h"
#include "profile/csv_records.h"
#include "profile/profile_csv.h"
#include "profile/profile_text.h"

namespace vcurve::sections {
namespace {

bool isEdge(SubgradeColumn c) {
  return c >= SubgradeColumn::LeftShoulder && c <= SubgradeColumn::RightShoulder;
}
bool isSlope(SubgradeColumn c) {
  return c == SubgradeColumn::LeftSlope || c == SubgradeColumn::RightSlope;
}

}  // namespace

SubgradeRow SubgradeTable::row(std::size_t i) const {
  SubgradeRow r;
  r.stake = stakes_.row(i);
  if (!r.stake.design) return r;
  r.section = sections_.at(r.stake.station);
  if (r.section && r.stake.ground) {
    const double difference = *r.stake.design + r.section->centre - *r.stake.ground;
    if (difference >= 0) {
      r.fill = difference;
    } else {
      r.cut = -difference;
    }
  }
  return r;
}

std::string SubgradeTable::note(std::size_t i) const {
  std::string text = stakes_.note(i);
  const double station = stakes_.station(i);
  if (const Superelevation* c = sections_.curveAt(station)) {
    const auto mark = [&](double at, std::string_view what) {
      if (at == station) text += (text.empty() ? "" : "、") + std::string(what);
    };
    mark(c->start, "超高起点");
    mark(c->fullStart, "全超高起点");
    mark(c->fullEnd, "全超高终点");
    mark(c->end, "超高终点");
  }
  return text;
}

std::optional<double> SubgradeTable::value(const SubgradeRow& row, SubgradeColumn column) const {
  const auto& s = row.section;
  switch (column) {
    case SubgradeColumn::Station:
    case SubgradeColumn::Note:
      return std::nullopt;
    case SubgradeColumn::Ground:
      return row.stake.ground;
    case SubgradeColumn::Design:
      return row.stake.design;
    case SubgradeColumn::Fill:
      return row.fill;
    case SubgradeColumn::Cut:
      return row.cut;
    default:
      break;
  }
  if (!s) return std::nullopt;
  const double base = values_ == EdgeValues::Elevations ? *row.stake.design : 0;
  switch (column) {
    case SubgradeColumn::LeftWidth:
      return s->left.offset[kEdges - 1];
    case SubgradeColumn::RightWidth:
      return s->right.offset[kEdges - 1];
    case SubgradeColumn::LeftShoulder:
      return base + s->left.height[3];
    case SubgradeColumn::LeftCarriageway:
      return base + s->left.height[1];
    case SubgradeColumn::Centre:
      return base + s->centre;
    case SubgradeColumn::RightCarriageway:
      return base + s->right.height[1];
    case SubgradeColumn::RightShoulder:
      return base + s->right.height[3];
    case SubgradeColumn::LeftSlope:
      return s->left.slope;
    case SubgradeColumn::RightSlope:
      return s->right.slope;
    default:
      return std::nullopt;
  }
}

std::string SubgradeTable::cellText(const SubgradeRow& row, SubgradeColumn column) const {
  if (column == SubgradeColumn::Station) {
    return profile::StakeTable::cellText(row.stake, profile::StakeColumn::Station);
  }
  const auto v = value(row, column);
  if (!v) return {};
  return isSlope(column) ? profile::gradeText(*v) : profile::fixed3(*v);
}

std::string_view SubgradeTable::columnTitle(SubgradeColumn column) const {
  const bool heights = values_ == EdgeValues::Heights;
  switch (column) {
    case SubgradeColumn::Station:
      return "桩号";
    case SubgradeColumn::Ground:
      return "地面高程(m)";
    case SubgradeColumn::Design:
      return "设计高程(m)";
    case SubgradeColumn::Fill:
      return "中桩填高(m)";
    case SubgradeColumn::Cut:
      return "中桩挖深(m)";
    case SubgradeColumn::LeftWidth:
      return "路基宽度左(m)";
    case SubgradeColumn::RightWidth:
      return "路基宽度右(m)";
    case SubgradeColumn::LeftShoulder:
      return heights ? "左路肩高差(m)" : "左路肩高程(m)";
    case SubgradeColumn::LeftCarriageway:
      return heights ? "左行车道边高差(m)" : "左行车道边高程(m)";
    case SubgradeColumn::Centre:
      return heights ? "中桩高差(m)" : "中桩高程(m)";
    case SubgradeColumn::RightCarriageway:
      return heights ? "右行车道边高差(m)" : "右行车道边高程(m)";
    case SubgradeColumn::RightShoulder:
      return heights ? "右路肩高差(m)" : "右路肩高程(m)";
    case SubgradeColumn::LeftSlope:
      return "左横坡(%)";
    case SubgradeColumn::RightSlope:
      return "右横坡(%)";
    case SubgradeColumn::Note:
      break;
  }
  return "备注";
}

void writeSubgradeCsv(const SubgradeTable& table, const std::function<void(std::string_view)>& sink,
                      bool bom) {
  constexpr std::size_t kBlock = std::size_t{1} << 16;
  std::string text(bom ? profile::kUtf8Bom : std::string_view{});
  for (std::size_t c = 0; c < kSubgradeColumns; ++c) {
    if (c > 0) text += ',';
    text += table.columnTitle(static_cast<SubgradeColumn>(c));
  }
  text += profile::kCsvRecordEnd;
  for (std::size_t i = 0; i < table.size(); ++i) {
    const SubgradeRow row = table.row(i);
    for (std::size_t c = 0; c + 1 < kSubgradeColumns; ++c) {
      if (c > 0) text += ',';
      text += profile::csvField(table.cellText(row, static_cast<SubgradeColumn>(c)));
    }
    text += ',';
    text += profile::csvField(table.note(i));
    text += profile::kCsvRecordEnd;
    if (text.size() >= kBlock) {
      sink(text);
      text.clear();
    }
  }
  sink(text);
}

profile::Sheet subgradeSheet(const SubgradeTable& table, std::string title) {
  profile::Sheet sheet;
  sheet.name = "路基设计表";
  sheet.title = std::move(title);
  for (std::size_t c = 0; c < kSubgradeColumns; ++c) {
    const auto column = static_cast<SubgradeColumn>(c);
    const double width = column == SubgradeColumn::Station ? 13
                         : column == SubgradeColumn::Note  ? 24
                         : isEdge(column)                  ? 16
                                                           : 12;
    sheet.columns.push_back(
        {std::string(table.columnTitle(column)), width, isSlope(column) ? 2 : 3});
  }
  sheet.rows = table.size();
  sheet.row = [&table](std::size_t i, std::vector<profile::SheetCell>& cells) {
    const SubgradeRow row = table.row(i);
    cells.clear();
    for (std::size_t c = 0; c + 1 < kSubgradeColumns; ++c) {
      const auto column = static_cast<SubgradeColumn>(c);
      if (column == SubgradeColumn::Station) {
        cells.push_back(profile::textCell(table.cellText(row, column)));
        continue;
      }
      // The cell holds the number the CSV prints, to the last digit.
      const auto v = table.value(row, column);
      cells.push_back(v ? profile::numberCell(RoundToPlaces(*v, isSlope(column) ? 2 : 3))
                        : profile::SheetCell{});
    }
    cells.push_back(profile::textCell(table.note(i)));
  };
  return sheet;
}

EdgeElevations edgeElevations(const Sections& sections, const profile::StakeRow& row) {
  EdgeElevations e;
  if (!row.design) return e;
  if (const auto s = sections.at(row.station)) {
    e.left = *row.design + s->left.height[3];
    e.right = *row.design + s->right.height[3];
  }
  return e;
}

profile::StakeEdges stakeEdges(std::shared_ptr<const Sections> sections) {
  if (!sections) return {};
  return [sections = std::move(sections)](const profile::StakeRow& row) {
    return edgeElevations(*sections, row);
  };
}

}  // namespace vcurve::sections
