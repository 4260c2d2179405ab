// What the stake table costs at a hundred kilometres every metre (100,001
// rows and the key points): a screenful of the model's cells, a scroll and
// repaint of the table, a new profile in the panel, and printed pages.
// Run offscreen: QT_QPA_PLATFORM=offscreen stake_bench

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QTableView>
#include <cstdio>
#include <random>

#include "stake_sample.h"
#include "ui/profile/stake/stake_model.h"
#include "ui/profile/stake/stake_pages.h"
#include "ui/profile/stake/stake_panel.h"

namespace {

using vcurve::profileui::StakeModel;

constexpr double kLength = 100'000;
constexpr int kScreenRows = 40;

std::shared_ptr<const vcurve::profile::StakeTable> longTable() {
  static const auto table = std::make_shared<const vcurve::profile::StakeTable>(
      vcurve::testing::sampleProfile(kLength), vcurve::testing::sampleGround(kLength), 1);
  return table;
}

// Every cell of a screenful in the roles a view asks for when it paints.
void ModelScreenful(benchmark::State& state) {
  StakeModel model;
  model.setTable(longTable());
  std::mt19937 random(7);
  std::uniform_int_distribution<int> top(0, model.rowCount() - kScreenRows);
  for (auto _ : state) {
    const int first = top(random);
    for (int row = first; row < first + kScreenRows; ++row) {
      for (int column = 0; column < StakeModel::kColumns; ++column) {
        const QModelIndex index = model.index(row, column);
        for (const int role : {Qt::DisplayRole, Qt::FontRole, Qt::TextAlignmentRole,
                               Qt::ForegroundRole, Qt::BackgroundRole, Qt::DecorationRole}) {
          benchmark::DoNotOptimize(model.data(index, role));
        }
      }
    }
  }
  state.counters["rows"] = model.rowCount();
}
BENCHMARK(ModelScreenful)->Unit(benchmark::kMicrosecond);

// A jump anywhere in the panel's table and the repaint of what it shows.
void ScrollAndPaint(benchmark::State& state) {
  vcurve::profileui::StakePanel panel;
  panel.setProfile(vcurve::testing::sampleProfile(kLength));
  panel.setGroundLine(vcurve::testing::sampleGround(kLength));
  panel.setInterval(1);
  panel.resize(960, 640);
  panel.show();
  auto* view = panel.findChild<QTableView*>();
  const QAbstractItemModel& model = *view->model();
  QImage image(view->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
  std::mt19937 random(7);
  std::uniform_int_distribution<int> row(0, model.rowCount() - 1);
  for (auto _ : state) {
    view->scrollTo(model.index(row(random), 0), QAbstractItemView::PositionAtTop);
    QPainter painter(&image);
    view->viewport()->render(&painter);
  }
  state.counters["rows"] = model.rowCount();
}
BENCHMARK(ScrollAndPaint)->Unit(benchmark::kMillisecond);

// What an edit in the window costs the panel: a new table and a reset.
void NewProfileInPanel(benchmark::State& state) {
  vcurve::profileui::StakePanel panel;
  panel.resize(960, 640);
  panel.show();
  panel.setGroundLine(vcurve::testing::sampleGround(kLength));
  panel.setInterval(1);
  const auto a = vcurve::testing::sampleProfile(kLength);
  const auto b = vcurve::testing::sampleProfile(kLength);
  bool flip = false;
  for (auto _ : state) {
    panel.setProfile((flip = !flip) ? a : b);
  }
}
BENCHMARK(NewProfileInPanel)->Unit(benchmark::kMillisecond);

// Pages of the PDF, into memory.
void PdfPages(benchmark::State& state) {
  const auto pagesEach = static_cast<int>(state.range(0));
  for (auto _ : state) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(600);
    vcurve::profileui::setStakePageLayout(writer);
    const vcurve::profileui::StakePages pages(longTable().get(), {"示例路线.csv", "80 km/h", "1 m"},
                                              writer);
    QPainter painter(&writer);
    pages.paint(painter, writer, 1000, 1000 + pagesEach - 1);
  }
  state.SetItemsProcessed(state.iterations() * pagesEach);
}
BENCHMARK(PdfPages)->Arg(100)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // The offscreen platform's notes on size hints would bury the figures.
  qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& message) {
    if (!message.startsWith(QLatin1String("This plugin does not support"))) {
      std::fprintf(stderr, "%s\n", qPrintable(message));
    }
  });
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
