#include "ui/profile/sections/sections_state.h"

#include <QRegularExpression>
#include <QUndoCommand>
#include <algorithm>
#include <span>

#include "profile/csv_records.h"
#include "sections/sections_csv.h"

namespace vcurve::profileui {
namespace {

using sections::SectionRows;

constexpr std::array<const char*, 13> kTemplateTitles{
    "起点桩号",    "终点桩号",        "左分隔带半宽(m)", "左行车道(m)", "左硬路肩(m)",
    "左土路肩(m)", "右分隔带半宽(m)", "右行车道(m)",     "右硬路肩(m)", "右土路肩(m)",
    "路拱横坡(%)", "土路肩横坡(%)",   "设计高程位置"};
constexpr std::array<const char*, 8> kCurveTitles{
    "超高起点", "全超高起点", "全超高终点", "超高终点", "超高横坡(%)", "偏向", "旋转轴", "加宽(m)"};

std::size_t index(SectionsTable table) { return static_cast<std::size_t>(table); }

QString tableName(std::size_t table) {
  return table == 0 ? QStringLiteral("横断面") : QStringLiteral("超高");
}

bool sameRows(const SectionRows& a, const SectionRows& b) {
  return a.templates == b.templates && a.curves == b.curves;
}

// The tables as the file the engine reads: a line a row, the templates
// first, so that a line number says which row it is.
std::string fileOf(const std::array<SectionsState::Cells, 2>& cells) {
  std::string text;
  for (std::size_t t = 0; t < cells.size(); ++t) {
    for (const QStringList& row : cells[t]) {
      text += tableName(t).toStdString();
      for (const QString& cell : row) {
        QString flat = cell;
        flat.replace(QLatin1Char('\n'), QLatin1Char(' '))
            .replace(QLatin1Char('\r'), QLatin1Char(' '));
        text += ',' + profile::csvField(flat.toStdString());
      }
      text += '\n';
    }
  }
  return text;
}

}  // namespace

// One change of the tables, kept as the rows before and after.
class SectionsStep : public QUndoCommand {
 public:
  SectionsStep(SectionsState* state, SectionRows before, SectionRows after, const QString& what)
      : QUndoCommand(what), state_(state), before_(std::move(before)), after_(std::move(after)) {}
  void undo() override { state_->show(before_); }
  void redo() override { state_->show(after_); }

 private:
  SectionsState* state_;
  SectionRows before_, after_;
};

SectionsState::SectionsState(QObject* parent) : QObject(parent) {}

void SectionsState::setChainage(const profile::ChainageEquations& chainage) {
  chainage_ = chainage;
  show({sections_.templates(), sections_.curves()});
}

int SectionsState::columnCount(SectionsTable table) {
  return table == SectionsTable::Templates ? int(kTemplateTitles.size()) : int(kCurveTitles.size());
}

QString SectionsState::columnTitle(SectionsTable table, int column) {
  const auto& titles = table == SectionsTable::Templates
                           ? std::span<const char* const>(kTemplateTitles)
                           : std::span<const char* const>(kCurveTitles);
  return QString::fromUtf8(titles[std::size_t(column)]);
}

int SectionsState::rowCount(SectionsTable table) const { return int(cells_[index(table)].size()); }

QString SectionsState::cellText(SectionsTable table, int row, int column) const {
  const Cells& cells = cells_[index(table)];
  if (row < 0 || std::size_t(row) >= cells.size()) return {};
  return cells[std::size_t(row)].value(column);
}

QString SectionsState::setCell(SectionsTable table, int row, int column, const QString& text) {
  std::array<Cells, 2> cells = cells_;
  Cells& rows = cells[index(table)];
  if (row < 0 || std::size_t(row) >= rows.size()) return {};
  if (rows[std::size_t(row)].value(column) == text.trimmed()) return {};
  rows[std::size_t(row)][column] = text.trimmed();
  return tryCells(cells, QStringLiteral("修改%1").arg(columnTitle(table, column)));
}

QString SectionsState::paste(SectionsTable table, int row, int column, const QString& text) {
  QStringList lines = text.split(QLatin1Char('\n'));
  for (QString& line : lines) {
    if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
  }
  while (!lines.isEmpty() && lines.back().isEmpty()) lines.removeLast();
  if (lines.isEmpty()) return {};
  std::array<Cells, 2> cells = cells_;
  Cells& rows = cells[index(table)];
  const int columns = columnCount(table);
  row = std::max(row, 0);
  for (const QString& line : lines) {
    QStringList pasted = line.split(QLatin1Char('\t'));
    // A whole row copied from the file's sheet starts with what it is.
    if (column == 0 && pasted.value(0).trimmed() == tableName(index(table))) pasted.removeFirst();
    if (std::size_t(row) >= rows.size()) rows.resize(std::size_t(row) + 1, QStringList());
    QStringList& target = rows[std::size_t(row)];
    while (target.size() < columns) target.append(QString());
    for (int c = 0; c < pasted.size() && column + c < columns; ++c) {
      target[column + c] = pasted[c].trimmed();
    }
    ++row;
  }
  return tryCells(cells, QStringLiteral("粘贴"));
}

QString SectionsState::insertRow(SectionsTable table, int row) {
  SectionRows rows{sections_.templates(), sections_.curves()};
  const double start = extentFrom_, end = std::max(extentTo_, extentFrom_ + 1000);
  if (table == SectionsTable::Templates) {
    auto& t = rows.templates;
    sections::SectionTemplate next;
    if (t.empty()) {
      // A 二级 road's 10 m: 3.5 m lanes, 0.75 m hard and earth shoulders.
      next.from = start;
      next.to = end;
      next.left = next.right = {0, 3.5, 0.75, 0.75};
    } else {
      const std::size_t after = std::min(std::size_t(std::max(row, 0)), t.size() - 1);
      next = t[after];
      next.from = t[after].to;
      next.to = t[after].to + (t[after].to - t[after].from);
    }
    t.push_back(next);
  } else {
    auto& c = rows.curves;
    sections::Superelevation next;
    if (c.empty()) {
      next = {start + 100, start + 160, start + 300, start + 360, 6};
    } else {
      const std::size_t after = std::min(std::size_t(std::max(row, 0)), c.size() - 1);
      next = c[after];
      const double shift = c[after].end - c[after].start + 100;
      next.start += shift;
      next.fullStart += shift;
      next.fullEnd += shift;
      next.end += shift;
    }
    c.push_back(next);
  }
  return tryRows(rows, QStringLiteral("插入行"));
}

QString SectionsState::removeRows(SectionsTable table, int first, int count) {
  SectionRows rows{sections_.templates(), sections_.curves()};
  const auto remove = [&](auto& list) {
    if (first < 0 || count <= 0 || std::size_t(first) >= list.size()) return;
    const auto from = list.begin() + first;
    list.erase(from, from + std::min<std::ptrdiff_t>(count, list.end() - from));
  };
  if (table == SectionsTable::Templates) {
    remove(rows.templates);
  } else {
    remove(rows.curves);
  }
  return tryRows(rows, QStringLiteral("删除行"));
}

QStringList SectionsState::load(const QByteArray& bytes, const QString& fileName) {
  const sections::LoadedSections loaded =
      sections::readSectionsCsv(std::string_view(bytes.constData(), std::size_t(bytes.size())),
                                fileName.toStdString(), chainage_);
  QStringList messages;
  for (const profile::FileError& e : loaded.errors) {
    messages << QString::fromStdString(e.message());
  }
  if (!loaded.rows.templates.empty() || !loaded.rows.curves.empty()) {
    undo_.push(new SectionsStep(this, {sections_.templates(), sections_.curves()}, loaded.rows,
                                QStringLiteral("导入横断面/超高表")));
  }
  return messages;
}

void SectionsState::reset() {
  undo_.clear();
  show({});
}

QByteArray SectionsState::csv() const {
  return QByteArray::fromStdString(sections::sectionsCsv(sections_, chainage_));
}

QString SectionsState::tryCells(const std::array<Cells, 2>& cells, const QString& what) {
  const std::size_t templates = cells[0].size();
  if (cells[0].empty() && cells[1].empty()) return tryRows({}, what);
  // The reader takes a row whose first station has no digit for a header
  // and reads past it; here it is a station mistyped.
  for (std::size_t t = 0; t < cells.size(); ++t) {
    for (std::size_t r = 0; r < cells[t].size(); ++r) {
      const QString first = cells[t][r].value(0).trimmed();
      if (!first.isEmpty() && !first.contains(QRegularExpression(QStringLiteral("[0-9]")))) {
        return QStringLiteral("%1第 %2 行：%3“%4”不是桩号")
            .arg(tableName(t))
            .arg(r + 1)
            .arg(columnTitle(static_cast<SectionsTable>(t), 0), first);
      }
    }
  }
  const sections::LoadedSections loaded = sections::readSectionsCsv(fileOf(cells), {}, chainage_);
  if (!loaded.ok()) {
    const profile::FileError& e = loaded.errors.front();
    if (e.line == 0) return QString::fromStdString(e.problem);
    const bool curve = e.line > templates;
    return QStringLiteral("%1第 %2 行：%3")
        .arg(tableName(curve ? 1 : 0))
        .arg(curve ? e.line - templates : e.line)
        .arg(QString::fromStdString(e.problem));
  }
  return tryRows(loaded.rows, what);
}

QString SectionsState::tryRows(const sections::SectionRows& rows, const QString& what) {
  const auto problems = sections::Sections::problems(rows.templates, rows.curves, &chainage_);
  if (!problems.empty()) {
    const sections::SectionProblem& p = problems.front();
    return QStringLiteral("%1第 %2 行：%3")
        .arg(tableName(std::size_t(p.table)))
        .arg(p.row + 1)
        .arg(QString::fromStdString(p.message));
  }
  const SectionRows before{sections_.templates(), sections_.curves()};
  if (sameRows(before, rows)) {
    // Nothing the engine sees has changed; the texts go back to its own.
    show(before);
    return {};
  }
  undo_.push(new SectionsStep(this, before, rows, what));
  return {};
}

void SectionsState::show(const SectionRows& rows) {
  sections_ = sections::Sections(rows.templates, rows.curves);
  cells_ = {};
  if (!sections_.empty() || !sections_.curves().empty()) {
    const std::string text = sections::sectionsCsv(sections_, chainage_);
    profile::CsvReader reader(text);
    profile::CsvRecord record;
    while (reader.next(record)) {
      if (record.fields.size() < 2) continue;
      const QString kind = QString::fromStdString(record.fields[0]);
      const QString first = QString::fromStdString(record.fields[1]);
      // The header rows name their columns.
      if (first == columnTitle(SectionsTable::Templates, 0) ||
          first == columnTitle(SectionsTable::Curves, 0)) {
        continue;
      }
      QStringList row;
      for (std::size_t c = 1; c < record.fields.size(); ++c) {
        row << QString::fromStdString(record.fields[c]);
      }
      cells_[kind == tableName(0) ? 0 : 1].push_back(row);
    }
  }
  Q_EMIT changed();
}

}  // namespace vcurve::profileui
