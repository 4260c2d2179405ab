#pragma once

// What --sections adds to `vcurve-table --profile`: the cross-section file
// read against the profile's 断链, the 合成坡度 findings, and the 路基设计表
// written in place of the elevation table.

#include <memory>
#include <string>
#include <vector>

#include "app/table/output_buffer.h"
#include "profile/checks.h"
#include "profile/landxml.h"
#include "profile/sheets.h"
#include "profile/stake_table.h"
#include "sections/cross_section.h"
#include "sections/subgrade_table.h"

namespace vcurve::table {

// Everything the 路基设计表 is made from, kept alive together.
struct SectionsInput {
  sections::Sections sections;
  std::shared_ptr<const profile::StakeTable> stakes;
  std::unique_ptr<sections::SubgradeTable> table;
};

// A file that does not read, or a row that cannot stand, is a UsageError
// naming its line (and how many other rows were refused).
std::unique_ptr<SectionsInput> readSectionsInput(
    const std::string& path, const std::shared_ptr<const profile::Profile>& profile,
    const profile::ProfileDocument& document, bool edgeElevations);

// The profile's findings with the 合成坡度 ones among them, worst first.
void addResultantGrades(std::vector<profile::Finding>& findings, const profile::Profile& profile,
                        const SectionsInput& input, const profile::CheckBasis& basis);

// The table as CSV (no BOM: the caller writes it where one belongs).
void appendSubgradeCsv(OutputBuffer& out, const SectionsInput& input);

// The table on A3 pages across, as the window prints it; the heading names
// the file and, when known, the design speed. Empty when written, else why
// not (sheet_pdf.cpp, through the toolkit).
std::string writeSubgradePdfFile(const SectionsInput& input, const std::string& fileName,
                                 const std::string& designSpeed, const std::string& path);

}  // namespace vcurve::table
