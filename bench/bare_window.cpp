// The yardsticks for the window's start-up. Without arguments: an empty Qt
// Widgets window, shown the same way, so the difference is everything the
// program adds. With --controls: the same kinds of controls with the same
// Chinese captions and menus at the same places, and no behaviour, so the
// difference is what the program's own code adds to what Qt needs to show
// that much (a CJK font, text shaping, two dozen widgets).

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <cstring>

namespace {

void addControls(QMainWindow& window) {
  auto* client = new QWidget(&window);
  window.setCentralWidget(client);
  QMenu* file = window.menuBar()->addMenu("文件[&F]");
  file->addAction("记事本   ")->setShortcut(QKeySequence("Ctrl+N"));
  file->addAction("计算器   ")->setShortcut(QKeySequence("Ctrl+C"));
  file->addSeparator();
  file->addAction("退出    ")->setShortcut(QKeySequence("Ctrl+E"));
  QMenu* help = window.menuBar()->addMenu("帮助[&H]");
  help->addAction("使用说明    ")->setShortcut(QKeySequence("F1"));
  help->addAction("关于    ")->setShortcut(QKeySequence("Ctrl+A"));

  auto* options = new QGroupBox("请选择竖曲线类型", client);
  options->setGeometry(0, 16, 249, 73);
  (new QRadioButton("凸曲线", options))->setGeometry(32, 24, 65, 25);
  (new QRadioButton("凹曲线", options))->setGeometry(160, 24, 65, 30);
  auto* fields = new QGroupBox("曲线要素", client);
  fields->setGeometry(0, 104, 249, 225);
  const char* captions[] = {"中点桩号ZH：", "切线长度L：", "曲线半径R：",   "顶点高程H：",
                            "第一纵坡%：",  "第二纵坡%：", "待求点桩号H0："};
  for (int row = 0; row < 7; ++row) {
    (new QLabel(captions[row], fields))->move(8, 33 + 26 * row);
    (new QLineEdit(fields))->setGeometry(88, 30 + 26 * row, 153, 21);
  }
  (new QLabel("计算结果", client))->move(264, 8);
  (new QListWidget(client))->setGeometry(264, 32, 233, 230);
  (new QPushButton("计 算", client))->setGeometry(272, 280, 105, 33);
  (new QPushButton("计 算", client))->hide();
  (new QPushButton("重 算", client))->setGeometry(392, 280, 105, 33);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.setWindowTitle("vcurve bare window");
  if (argc > 1 && std::strcmp(argv[1], "--controls") == 0) addControls(window);
  window.resize(513, 388);
  window.show();
  return QApplication::exec();
}
