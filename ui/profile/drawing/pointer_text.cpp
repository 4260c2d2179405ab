#include "ui/profile/drawing/pointer_text.h"

#include <string>

#include "profile/profile_text.h"
#include "profile/stake_table.h"

namespace vcurve::profileui {

namespace {

void addColumn(std::string& text, const profile::StakeRow& row, profile::StakeColumn column) {
  const std::string value = profile::StakeTable::cellText(row, column);
  if (value.empty()) return;
  text += "  ";
  text += profile::stakeColumnTitle(column);
  text += " " + value;
}

}  // namespace

QString hoverText(const profile::Profile& profile, const profile::GroundLine* ground,
                  double station) {
  const profile::StakeRow row = profile::stakeRowAt(profile, ground, station);
  std::string text = profile::StakeTable::cellText(row, profile::StakeColumn::Station);
  if (!row.design && row.status != profile::LookupStatus::Ok) {
    const auto problem = profile::lookupProblemText(row.status);
    if (!problem.empty()) text += "  " + std::string(problem);
  }
  for (const auto column : {profile::StakeColumn::Design, profile::StakeColumn::Ground,
                            profile::StakeColumn::Fill, profile::StakeColumn::Cut}) {
    addColumn(text, row, column);
  }
  return QString::fromStdString(text);
}

QString dragText(const profile::Profile& preview, std::size_t row) {
  if (row >= preview.size()) return {};
  std::string text = profile::rowText(row) + "  " +
                     std::string(profile::columnTitle(profile::TableColumn::Elevation)) + " " +
                     profile::fixed3(preview.points()[row].elevation);
  if (preview.usable()) {
    const auto grade = [&](std::size_t from, const char* name) {
      if (const auto& g = preview.rows()[from].gradeAfter) {
        text += std::string("  ") + name + " " + profile::gradePercentText(g->percent);
      }
    };
    if (row > 0) grade(row - 1, "纵坡i1");
    grade(row, "纵坡i2");
  }
  return QString::fromStdString(text);
}

}  // namespace vcurve::profileui
