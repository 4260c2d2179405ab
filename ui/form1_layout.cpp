// Builds Form1's controls from the layout table.

#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <limits>
#include <map>
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
      // Left to right whatever is typed. Left to decide for itself, a text
      // box scans its whole text for the direction at every cursor move and
      // paint, a fifth of the time a keystroke takes in a megabyte of text.
      // The key a keyboard's direction switch sends is the only way to tell
      // it.
      QKeyEvent leftToRight(QEvent::KeyPress, Qt::Key_Direction_L, Qt::NoModifier);
      QCoreApplication::sendEvent(text, &leftToRight);
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
      palette.setColor(QPalette::Window, colourOf(row.background, system.color(QPalette::Window)));
      palette.setColor(QPalette::WindowText,
                       colourOf(row.text, system.color(QPalette::WindowText)));
      break;
    case ControlKind::OptionButton:
      palette.setColor(QPalette::Window, colourOf(row.background, system.color(QPalette::Window)));
      palette.setColor(QPalette::WindowText,
                       colourOf(row.text, system.color(QPalette::WindowText)));
      // The dot of a chosen option is drawn in the Text role, which would
      // otherwise come from the frame's caption colour.
      palette.setColor(QPalette::Text, colourOf(row.text, system.color(QPalette::WindowText)));
      break;
  }
  control->setPalette(palette);
}

template <typename Control>
Control* named(const QWidget* client, const char* name) {
  return client->findChild<Control*>(QString::fromLatin1(name));
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

  auto& c = controls_;
  c.Command1 = named<QPushButton>(client, "Command1");
  c.Command2 = named<QPushButton>(client, "Command2");
  c.Command3 = named<QPushButton>(client, "Command3");
  c.List1 = named<QListWidget>(client, "List1");
  c.Frame1 = named<QGroupBox>(client, "Frame1");
  c.Frame2 = named<QGroupBox>(client, "Frame2");
  c.Option1 = named<QRadioButton>(client, "Option1");
  c.Option2 = named<QRadioButton>(client, "Option2");
  c.Text1 = named<QLineEdit>(client, "Text1");
  c.Text2 = named<QLineEdit>(client, "Text2");
  c.Text3 = named<QLineEdit>(client, "Text3");
  c.Text4 = named<QLineEdit>(client, "Text4");
  c.Text5 = named<QLineEdit>(client, "Text5");
  c.Text6 = named<QLineEdit>(client, "Text6");
  c.Text7 = named<QLineEdit>(client, "Text7");

  // The window opens as Option1_Click leaves it, without running it.
  c.Option1->setChecked(true);
  c.Command2->hide();

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

}  // namespace vcurve
