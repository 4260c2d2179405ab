#pragma once

// The stake table written to the files an engineer hands out. Each file is
// written beside its target under a temporary name and renamed over the
// target only once it is complete: a full disk or a crash never leaves a
// half-written table, nor destroys the one that was there.

#include <QString>
#include <string>

#include "profile/sheets.h"
#include "profile/stake_table.h"

namespace vcurve::profileui {

class LongWork;

// UTF-8 with a byte-order mark, so that Excel shows the Chinese headers.
// With `work`, the rows written are its steps, and a cancel leaves the old
// file as it was. With edges, their two columns follow 备注, as on screen.
bool writeStakeCsvFile(const profile::StakeTable& table, const QString& path, QString* error,
                       LongWork* work = nullptr, const profile::StakeEdges& edges = {});
// The profile's workbook: this table, its 纵坡竖曲线表 and the findings,
// numbers as numbers and chainage as text, `about` under each sheet's title.
bool writeStakeXlsxFile(const profile::StakeTable& table, const QString& path,
                        const std::string& about, const profile::WorkbookFindings& checked,
                        QString* error, LongWork* work = nullptr, profile::StakeEdges edges = {});
// Any one sheet so, with work's steps its rows.
bool writeSheetXlsxFile(const profile::Sheet& sheet, const QString& path, QString* error,
                        LongWork* work = nullptr);
bool writeSheetsXlsxFile(const std::vector<profile::Sheet>& sheets, const QString& path,
                         QString* error, LongWork* work = nullptr);

}  // namespace vcurve::profileui
