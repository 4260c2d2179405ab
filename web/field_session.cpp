#include "web/field_session.h"

#include <cstdio>
#include <string_view>

#include "app/table/option_values.h"
#include "app/table/profile_command.h"
#include "app/table/profile_output.h"
#include "core/numeric_text.h"
#include "core/station_text.h"
#include "profile/profile_file.h"
#include "profile/profile_text.h"
#include "profile/stake_table.h"
#include "sections/sections_csv.h"
#include "sections/subgrade_table.h"

namespace vcurve::web {
namespace {

using namespace vcurve::profile;

// The files live in the module's memory file system, as the table
// program's code expects files on a disk.
constexpr const char* kStakePath = "/stakes.csv";

bool writeFile(const std::string& path, const std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

std::string readFile(const char* path) {
  std::string bytes;
  std::FILE* file = std::fopen(path, "rb");
  if (file == nullptr) return bytes;
  char block[1 << 14];
  for (std::size_t got; (got = std::fread(block, 1, sizeof block, file)) > 0;) {
    bytes.append(block, got);
  }
  std::fclose(file);
  return bytes;
}

std::string trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t\r\n");
  return std::string(text.substr(first, last - first + 1));
}

}  // namespace

LoadAnswer FieldSession::load(const std::string& bytes, const std::string& fileName) {
  LoadAnswer answer;
  const Loaded<ProfileDocument> document = readProfileFile(bytes, fileName);
  if (!document.ok()) {
    answer.problem = document.error->message();
    return answer;
  }
  auto profile = std::make_shared<const Profile>(document.value.points,
                                                 ChainageEquations(document.value.equations));
  if (!profile->usable()) {
    const InputError& first = profile->inputErrors().front();
    answer.problem = first.row ? "第 " + std::to_string(*first.row + 1) + " 点：" + first.message
                               : first.message;
    return answer;
  }
  // Any name the table program's reader accepts; the last part keeps what
  // the user picked recognisable in its messages.
  const std::string path = "/" + (looksLikeXml(bytes) ? std::string("road.xml") : "road.csv");
  if (!writeFile(path, bytes)) {
    answer.problem = "无法保存纵断面";
    return answer;
  }
  profile_ = std::move(profile);
  path_ = path;
  sections_.reset();
  if (!document.value.groundProblem.empty()) {
    answer.warning = "地面线未读入（设计线照常计算）：" + document.value.groundProblem;
  }
  answer.start = profile_->stationText(profile_->startStation());
  answer.end = profile_->stationText(profile_->endStation());
  answer.points = profile_->size();
  answer.equations = profile_->chainage().size();
  return answer;
}

StationAnswer FieldSession::at(const std::string& typed) const {
  StationAnswer answer;
  if (!profile_) {
    answer.problem = "请先打开纵断面文件";
    return answer;
  }
  const std::string text = trimmed(typed);
  const auto station = readFieldStation(text);
  if (!station) {
    answer.problem = "桩号应写成 K1+234.5 或 1234.5；长链重复段内写明第几处，如 K1+795(2)";
    return answer;
  }
  const ChainageEquations& chainage = profile_->chainage();
  const FieldLookup place = chainage.distance(*station);
  if (!place.ok()) {
    answer.problem = fieldProblem(chainage, station->station, place);
    if (place.status == FieldStatus::Ambiguous) answer.problem += "；请在桩号后用括号写明第几处";
    return answer;
  }
  if (!profile_->contains(place.distance)) {
    answer.problem = "不在纵断面上（起点 " + profile_->stationText(profile_->startStation()) +
                     " 至终点 " + profile_->stationText(profile_->endStation()) + "）";
    return answer;
  }
  answer.station = profile_->stationText(place.distance);
  if (!chainage.empty()) answer.distance = fixed3(place.distance);
  const StationLookup found = profile_->lookup(place.distance);
  if (!found.ok()) {
    answer.problem = lookupProblemAt(*profile_, place.distance, found.status);
    return answer;
  }
  answer.elevation = fixed3(found.elevation);
  answer.trueDistance = place.distance;
  answer.exactElevation = found.elevation;
  answer.grade = gradeText(found.grade);
  answer.element = table::elementText(*profile_, found);
  if (sections_) {
    StakeRow row;
    row.station = place.distance;
    row.design = found.elevation;
    const sections::EdgeElevations edges = sections::edgeElevations(*sections_, row);
    if (edges.left && edges.right) {
      answer.leftEdge = fixed3(*edges.left);
      answer.rightEdge = fixed3(*edges.right);
      const auto section = sectionAt(place.distance);
      answer.leftSlope = gradeText(section->left.slope);
      answer.rightSlope = gradeText(section->right.slope);
    }
  }
  return answer;
}

std::optional<sections::CrossSection> FieldSession::sectionAt(double distance) const {
  if (!sections_) return std::nullopt;
  return sections_->at(distance);
}

SectionsAnswer FieldSession::loadSections(const std::string& bytes, const std::string& fileName) {
  SectionsAnswer answer;
  if (!profile_) {
    answer.problem = "请先打开纵断面文件";
    return answer;
  }
  const sections::LoadedSections loaded =
      sections::readSectionsCsv(bytes, fileName, profile_->chainage());
  if (!loaded.ok()) {
    answer.problem = loaded.errors.front().message();
    if (loaded.errors.size() > 1) {
      answer.problem += "（另有 " + std::to_string(loaded.errors.size() - 1) + " 行有误）";
    }
    return answer;
  }
  if (loaded.rows.templates.empty()) {
    answer.problem = "文件中没有横断面行（第一格为“横断面”）";
    return answer;
  }
  sections_.emplace(loaded.rows.templates, loaded.rows.curves);
  answer.templates = sections_->templates().size();
  answer.curves = sections_->curves().size();
  return answer;
}

FillCutAnswer FieldSession::fillCut(const std::string& station, const std::string& measured,
                                    const std::string& offset) const {
  FillCutAnswer answer{at(station), {}, {}, {}, {}};
  if (!answer.at.problem.empty()) return answer;
  const std::string text = trimmed(measured);
  const auto value = isPlainNumber(text) ? NumberFromText(text) : std::nullopt;
  if (!value) {
    answer.at.problem = "实测高程应是一个数，如 826.315";
    return answer;
  }
  double design = *NumberFromText(answer.at.elevation);
  if (const std::string out = trimmed(offset); !out.empty()) {
    const auto metres = isPlainNumber(out) ? NumberFromText(out) : std::nullopt;
    if (!metres || *metres < -100 || *metres > 100) {
      answer.at.problem = "距中线应是 0 至 100 之间的米数，如 3.5";
      return answer;
    }
    if (!sections_) {
      answer.at.problem = "请先在“文件”中打开横断面与超高表";
      return answer;
    }
    const auto section = sectionAt(answer.at.trueDistance);
    if (!section) {
      answer.at.problem = "此桩号不在横断面表的范围内";
      return answer;
    }
    design = RoundToPlaces(answer.at.exactElevation + section->heightAt(*metres), 3);
    answer.offset = (*metres < 0 ? "左 " : "右 ") + fixed3(*metres < 0 ? -*metres : *metres);
    answer.elevation = fixed3(design);
  }
  const double difference = RoundToPlaces(design - RoundToPlaces(*value, 3), 3);
  answer.kind = difference >= 0 ? "填" : "挖";
  answer.amount = fixed3(difference >= 0 ? difference : -difference);
  return answer;
}

StakeAnswer FieldSession::stakes(const std::string& from, const std::string& to,
                                 const std::string& step,
                                 const std::vector<std::string>& added) const {
  StakeAnswer answer;
  if (!profile_) {
    answer.problem = "请先打开纵断面文件";
    return answer;
  }
  std::vector<std::string> words = {"--profile", path_, "--format", "csv", "--output", kStakePath};
  const std::string first = trimmed(from), last = trimmed(to), every = trimmed(step);
  if (!first.empty() || !last.empty() || !every.empty()) {
    words.insert(words.end(), {"--from", first, "--to", last, "--step", every});
  }
  for (const std::string& station : added) {
    if (const std::string at = trimmed(station); !at.empty()) {
      words.insert(words.end(), {"--at", at});
    }
  }
  const std::vector<std::string_view> args(words.begin(), words.end());
  std::remove(kStakePath);
  try {
    table::runProfileCommand(args, [&](std::string_view kind, std::string_view text) {
      answer.messages.push_back(std::string(kind) + "：" + std::string(text));
    });
  } catch (const table::UsageError& error) {
    answer.problem = error.what();
    return answer;
  }
  answer.csv = readFile(kStakePath);
  return answer;
}

}  // namespace vcurve::web
