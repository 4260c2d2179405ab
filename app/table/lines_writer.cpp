#include <cstdint>
#include <limits>
#include <string>

#include "app/table/summary.h"
#include "app/table/table_writers.h"
#include "core/calculate.h"
#include "core/numeric_text.h"
#include "core/station_text.h"

namespace vcurve::table {
namespace {

constexpr std::int64_t kLastWindowNumber = std::numeric_limits<std::int16_t>::max();
constexpr std::string_view kNumberMark = "第";

// The window counts presses in 16 bits and stays at 32767 from there on. A
// table is one press per station and may run to millions, so past that
// number the table writes its own count where the window's would stand.
void appendResultLine(OutputBuffer& out, std::int64_t n, double station, double elevation) {
  // One line's worth of characters, kept from line to line.
  static std::string line;
  line.clear();
  if (n <= kLastWindowNumber) {
    AppendResultLine(line, static_cast<std::int16_t>(n), station, elevation);
    out.append(line);
  } else {
    static const std::size_t counterEnd =
        kNumberMark.size() + TextFromInteger(kLastWindowNumber).size();
    AppendResultLine(line, kLastWindowNumber, station, elevation);
    out.append(kNumberMark);
    out.append(std::to_string(n));
    out.append(std::string_view(line).substr(counterEnd));
  }
  out.append('\n');
}

std::string pointText(const CurvePoint& point) {
  return chainageText(point.station) + "（" + TextFromNumber(point.station) + "），高程 " +
         optionalText(point.elevation);
}

void appendSummary(OutputBuffer& out, const CurveSummary& s) {
  const bool convex = s.type == CurveType::Convex;
  std::string text = convex ? "竖曲线要素（凸曲线）\n" : "竖曲线要素（凹曲线）\n";
  text += "起点：" + pointText(s.start) + "\n";
  text += "变坡点：" + chainageText(s.pvi.station) + "（" + TextFromNumber(s.pvi.station) +
          "），变坡点高程 " + TextFromNumber(s.pviElevation) + "，曲线上高程 " +
          optionalText(s.pvi.elevation) + "\n";
  text += "终点：" + pointText(s.end) + "\n";
  text += "外距：" + optionalText(s.externalDistance) + "\n";
  text += convex ? "最高点：" : "最低点：";
  text += (s.extreme ? pointText(*s.extreme) : std::string("不在曲线上")) + "\n";
  text += "切线长度：" + TextFromNumber(s.tangent) + "（由半径和纵坡推算为 " +
          optionalText(s.impliedTangent) + "）\n";
  if (s.tangentMismatch) {
    text += "警告：切线长度与由半径和纵坡推算的值相差超过 1 mm，请检查切线长度、半径和纵坡\n";
  }
  text += "\n";
  out.append(text);
}

}  // namespace

std::int64_t writeResultLines(const TableRequest& request, const StationPlan& plan,
                              OutputBuffer& out, const FailedStation& failed) {
  if (request.summary) appendSummary(out, summarizeCurve(request));

  return forEachListedStation(request, plan, failed,
                              [&](std::int64_t n, double station, double elevation) {
                                appendResultLine(out, n, station, elevation);
                              });
}

}  // namespace vcurve::table
