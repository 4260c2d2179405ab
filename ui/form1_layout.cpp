// Builds Form1's controls from the layout table.

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <algorithm>
#include <limits>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/qt/twips.h"
#include "ui/colours.h"
#include "ui/form1.h"
#include "ui/layout_table.h"

namespace vcurve {
namespace {

QColor colourOf(ColourRole role, const QColor& systemColour) {
  switch (role) {
    case ColourRole::WindowColour:
      return kWindowColour;
    case ColourRole::ButtonColour:
      return kButtonColour;
    case ColourRole::FrameCaptionColour:
      return kFrameCaptionColour;
    case ColourRole::Green:
      return kGreen;
    case ColourRole::Red:
      return kRed;
    case ColourRole::Default:
    case ColourRole::SystemWindowText:
      break;
  }
  return systemColour;
}

QWidget* createControl(const ControlLayout& row, QWidget* container) {
  const QString caption = QString::fromUtf8(row.caption);
  switch (row.kind) {
    case ControlKind::PushButton:
      return new QPushButton(caption, container);
    case ControlKind::ListBox: {
      auto* list = new QListWidget(container);
      list->setSortingEnabled(false);
      list->setSelectionMode(QAbstractItemView::ExtendedSelection);
      list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
      list->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
      // A long line is cut at the right edge, not shortened with "…": the
      // digits that matter are at its end.
      list->setTextElideMode(Qt::ElideNone);
      list->setWordWrap(false);
      list->setUniformItemSizes(true);
      return list;
    }
    case ControlKind::Frame:
      return new QGroupBox(caption, container);
    case ControlKind::Label: {
      auto* label = new QLabel(caption, container);
      label->setTextFormat(Qt::PlainText);
      return label;
    }
    case ControlKind::TextBox: {
      auto* text = new QLineEdit(container);
      text->setMaxLength(std::numeric_limits<int>::max());
      text->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
      return text;
    }
    case ControlKind::OptionButton:
      return new QRadioButton(caption, container);
  }
  return nullptr;
}

// Each control gets the roles of its own kind set explicitly, so a frame's
// caption colour never leaks into the controls inside it.
void applyColours(QWidget* control, const ControlLayout& row) {
  const QPalette system = QApplication::palette();
  QPalette palette = control->palette();
  switch (row.kind) {
    case ControlKind::PushButton:
      palette.setColor(QPalette::Button, colourOf(row.background, system.color(QPalette::Button)));
      palette.setColor(QPalette::ButtonText,
                       colourOf(row.text, system.color(QPalette::ButtonText)));
      break;
    case ControlKind::TextBox:
    case ControlKind::ListBox:
      palette.setColor(QPalette::Base, colourOf(row.background, system.color(QPalette::Base)));
      palette.setColor(QPalette::Text, colourOf(row.text, system.color(QPalette::Text)));
      break;
    case ControlKind::Frame:
      // The group box draws its caption in the Text role (through the
      // style's label-colour hint) and its own text in WindowText.
      palette.setColor(QPalette::Text, colourOf(row.text, system.color(QPalette::Text)));
      [[fallthrough]];
    case ControlKind::Label:
    case ControlKind::OptionButton:
      palette.setColor(QPalette::Window, colourOf(row.background, system.color(QPalette::Window)));
      palette.setColor(QPalette::WindowText,
                       colourOf(row.text, system.color(QPalette::WindowText)));
      break;
  }
  control->setPalette(palette);
}

template <typename Control>
Control* named(const QWidget* client, const std::string& name) {
  return client->findChild<Control*>(QString::fromStdString(name));
}

}  // namespace

void Form1::buildControls() {
  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("client"));
  QPalette background = client->palette();
  background.setColor(QPalette::Window, kWindowColour);
  client->setPalette(background);
  client->setAutoFillBackground(true);
  setCentralWidget(client);

  std::map<std::string_view, QWidget*> containers{{"Form1", client}};
  std::vector<std::pair<int, QWidget*>> byTabIndex;
  for (const ControlLayout& row : Form1Layout()) {
    QWidget* control = createControl(row, containers.at(row.container));
    control->setObjectName(QString::fromUtf8(row.name));
    control->setGeometry(twipsToPixels(row.left, row.top, row.width, row.height));
    control->setProperty("tabIndex", row.tabIndex);
    applyColours(control, row);
    if (row.kind == ControlKind::Frame) containers[row.name] = control;
    if (row.kind == ControlKind::Label) {
      // Auto-size: the position is fixed and the caption decides the size.
      // Text boxes are drawn over any label that reaches under them.
      control->adjustSize();
      control->lower();
    }
    byTabIndex.emplace_back(row.tabIndex, control);
  }

  controls_.Command1 = named<QPushButton>(client, "Command1");
  controls_.Command2 = named<QPushButton>(client, "Command2");
  controls_.Command3 = named<QPushButton>(client, "Command3");
  controls_.List1 = named<QListWidget>(client, "List1");
  controls_.Frame1 = named<QGroupBox>(client, "Frame1");
  controls_.Frame2 = named<QGroupBox>(client, "Frame2");
  controls_.Option1 = named<QRadioButton>(client, "Option1");
  controls_.Option2 = named<QRadioButton>(client, "Option2");
  for (std::size_t i = 0; i < controls_.Text.size(); ++i) {
    controls_.Text[i] = named<QLineEdit>(client, "Text" + std::to_string(i + 1));
  }
  for (std::size_t i = 0; i < controls_.Label.size(); ++i) {
    controls_.Label[i] = named<QLabel>(client, "Label" + std::to_string(i + 1));
  }

  // The window opens as Option1_Click leaves it, without running it.
  controls_.Option1->setChecked(true);
  controls_.Command2->hide();

  // Tab follows the tab indexes; frames and labels are in the order but
  // never take the focus, and hidden buttons are skipped by Qt itself.
  std::sort(byTabIndex.begin(), byTabIndex.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  QWidget* previous = nullptr;
  for (const auto& [index, control] : byTabIndex) {
    if (control->focusPolicy() == Qt::NoFocus) continue;
    if (previous != nullptr) QWidget::setTabOrder(previous, control);
    previous = control;
  }
}

void Form1::centreOnScreen() {
  const QScreen* screen = this->screen();
  if (screen == nullptr) return;
  // Until the window system has framed the window, its fixed outer size
  // stands in for the real one.
  const bool framed = frameGeometry() != geometry();
  const QSize outer = framed ? frameGeometry().size()
                             : QSize(twipsToPixels(kForm1Window.outerWidth),
                                     twipsToPixels(kForm1Window.outerHeight));
  const QRect available = screen->availableGeometry();
  move(available.center() - QPoint(outer.width() / 2, outer.height() / 2));
}

}  // namespace vcurve
