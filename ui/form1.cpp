#include "ui/form1.h"

#include <QRadioButton>

#include "platform/qt/program_starter.h"
#include "ui/app_look.h"
#include "ui/layout_table.h"

namespace vcurve {

QLineEdit* Form1Controls::text(Field field) const {
  switch (field) {
    case Field::Text1:
      return Text1;
    case Field::Text2:
      return Text2;
    case Field::Text3:
      return Text3;
    case Field::Text4:
      return Text4;
    case Field::Text5:
      return Text5;
    case Field::Text6:
      return Text6;
    case Field::Text7:
      return Text7;
  }
  return nullptr;
}

Form1::Form1() : Form1(Services{}) {}

Form1::Form1(Services services) : services_(std::move(services)) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QString::fromUtf8(kForm1Window.caption));
  // Minimise and close, no maximise: the window has one size.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setWindowIcon(ApplicationIcon());

  buildControls();
  buildMenus();

  if (!services_.presentMessage) {
    services_.presentMessage = [this](std::string_view prompt, MessageStyle style,
                                      std::string_view title) {
      ShowMessageBox(this, prompt, style, title);
    };
  }
  if (services_.programStarter == nullptr) {
    ownProgramStarter_ = std::make_unique<QtProgramStarter>();
    services_.programStarter = ownProgramStarter_.get();
  }
  form_ = std::make_unique<QtFormPlatform>([this](Field field) { return controls_.text(field); },
                                           controls_.List1, services_.presentMessage);

  bindEvents();
  // Sized before it is first mapped: window managers decide on a maximise
  // button when they first frame a window, from its size hints.
  Form_Resize();

  // The first control in tab order takes the focus. Option1 is already
  // chosen, so giving it the focus runs no option handler.
  controls_.Option1->setFocus(Qt::OtherFocusReason);
}

Form1::~Form1() = default;

}  // namespace vcurve
