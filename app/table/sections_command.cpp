#include "app/table/sections_command.h"

#include <algorithm>
#include <cstdio>

#include "app/table/message_text.h"
#include "app/table/option_values.h"
#include "app/table/system_io.h"
#include "profile/profile_csv.h"
#include "sections/resultant_grade.h"
#include "sections/sections_csv.h"

namespace vcurve::table {

using namespace vcurve::profile;

namespace {

std::string readWhole(const std::string& path) {
  std::FILE* file = openFile(path, "rb");
  if (file == nullptr) throw UsageError("无法打开横断面文件“" + path + "”");
  std::string bytes;
  char block[1 << 16];
  for (std::size_t got; (got = std::fread(block, 1, sizeof block, file)) > 0;) {
    bytes.append(block, got);
    if (bytes.size() > kMaximumFileBytes) break;
  }
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) throw UsageError("读取横断面文件“" + path + "”失败");
  return bytes;
}

}  // namespace

std::unique_ptr<SectionsInput> readSectionsInput(const std::string& path,
                                                 const std::shared_ptr<const Profile>& profile,
                                                 const ProfileDocument& document,
                                                 bool edgeElevations) {
  const sections::LoadedSections loaded =
      sections::readSectionsCsv(readWhole(path), path, profile->chainage());
  if (!loaded.ok()) {
    std::string message = loaded.errors.front().message();
    if (loaded.errors.size() > 1) {
      message += "（另有 " + std::to_string(loaded.errors.size() - 1) + " 行有误）";
    }
    throw UsageError(message);
  }
  auto input = std::make_unique<SectionsInput>();
  input->sections = sections::Sections(loaded.rows.templates, loaded.rows.curves);
  std::shared_ptr<const GroundLine> ground;
  if (!document.ground.empty()) ground = std::make_shared<const GroundLine>(document.ground);
  input->stakes = std::make_shared<const StakeTable>(profile, ground, kDefaultInterval);
  input->table = std::make_unique<sections::SubgradeTable>(
      *input->stakes, input->sections,
      edgeElevations ? sections::EdgeValues::Elevations : sections::EdgeValues::Heights);
  return input;
}

void addResultantGrades(std::vector<Finding>& findings, const Profile& profile,
                        const SectionsInput& input, const CheckBasis& basis) {
  const auto more = sections::checkResultantGrades(profile, input.sections, basis);
  findings.insert(findings.end(), more.begin(), more.end());
  std::stable_sort(findings.begin(), findings.end(), [](const Finding& a, const Finding& b) {
    if (a.severity != b.severity) return a.severity < b.severity;
    return a.station < b.station;
  });
}

void appendSubgradeCsv(OutputBuffer& out, const SectionsInput& input) {
  sections::writeSubgradeCsv(
      *input.table, [&](std::string_view block) { out.append(block); }, false);
}

}  // namespace vcurve::table
