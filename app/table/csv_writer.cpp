#include <cstdint>
#include <string>

#include "app/table/summary.h"
#include "app/table/table_writers.h"
#include "core/numeric_text.h"
#include "core/station_text.h"
#include "profile/csv_records.h"

namespace vcurve::table {
namespace {

using profile::appendCsvRecord;
using profile::kCsvRecordEnd;

void appendRecord(std::string& text, std::string_view element, const CurvePoint* point,
                  std::string_view value) {
  if (point == nullptr) {
    appendCsvRecord(text, {element, "", "", value});
  } else {
    appendCsvRecord(text,
                    {element, TextFromNumber(point->station), chainageText(point->station), value});
  }
}

std::string elevationText(const CurvePoint& point) { return optionalText(point.elevation); }

// A small table of its own, then an empty record, so that the rows of the
// main table still start under a header of their own.
void appendSummary(OutputBuffer& out, const CurveSummary& s) {
  std::string text;
  appendCsvRecord(text, {"element", "station", "chainage", "value"});
  appendRecord(text, "曲线类型", nullptr, s.type == CurveType::Convex ? "凸曲线" : "凹曲线");
  appendRecord(text, "起点", &s.start, elevationText(s.start));
  appendRecord(text, "变坡点高程", &s.pvi, TextFromNumber(s.pviElevation));
  appendRecord(text, "变坡点处曲线高程", &s.pvi, elevationText(s.pvi));
  appendRecord(text, "终点", &s.end, elevationText(s.end));
  appendRecord(text, "外距", nullptr, optionalText(s.externalDistance));
  const std::string_view extreme = s.type == CurveType::Convex ? "最高点" : "最低点";
  if (s.extreme) {
    appendRecord(text, extreme, &*s.extreme, elevationText(*s.extreme));
  } else {
    appendRecord(text, extreme, nullptr, "不在曲线上");
  }
  appendRecord(text, "切线长度", nullptr, TextFromNumber(s.tangent));
  appendRecord(text, "推算切线长度", nullptr, optionalText(s.impliedTangent));
  if (s.tangentMismatch) {
    appendRecord(text, "警告", nullptr, "切线长度与由半径和纵坡推算的值相差超过 1 mm");
  }
  text += kCsvRecordEnd;
  out.append(text);
}

}  // namespace

std::int64_t writeCsv(const TableRequest& request, const StationPlan& plan, OutputBuffer& out,
                      const FailedStation& failed) {
  if (request.summary) appendSummary(out, summarizeCurve(request));
  std::string record;
  appendCsvRecord(record, {"n", "station", "chainage", "elevation"});
  out.append(record);
  return forEachListedStation(
      request, plan, failed, [&](std::int64_t n, double station, double elevation) {
        record.clear();
        appendCsvRecord(record, {std::to_string(n), TextFromNumber(station), chainageText(station),
                                 TextFromNumber(elevation)});
        out.append(record);
      });
}

}  // namespace vcurve::table
