#pragma once

// What the drawing's suites share: the offscreen platform, a watchdog that
// fails a test instead of hanging it should anything open a modal window,
// and a view showing the mountain sample.

#include <QApplication>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "sample_profiles.h"
#include "ui/profile/drawing/profile_view.h"

namespace vcurve::profileui::testing {

class DrawingTestCase : public QObject {
  Q_OBJECT

 protected:
  std::unique_ptr<ProfileView> view;
  std::shared_ptr<const profile::Profile> sample = samples::mountain();

  // The view, shown at a size, with the sample and its ground line, fitted.
  void showSample(QSize size = {900, 500}) {
    view->resize(size);
    view->setProfile(sample);
    view->setGroundLine(samples::groundUnder(*sample, 10));
    view->show();
    QVERIFY(QTest::qWaitForWindowExposed(view.get()));
    view->fitAll();
  }

  QImage rendered() const {
    QImage image(view->size(), QImage::Format_ARGB32);
    view->render(&image);
    return image;
  }

 private Q_SLOTS:
  void init() {
    view = std::make_unique<ProfileView>();
    strayWindow_ = false;
    watchdog_.setInterval(250);
    connect(&watchdog_, &QTimer::timeout, this, &DrawingTestCase::closeStrayWindow);
    watchdog_.start();
  }
  void cleanup() {
    watchdog_.stop();
    view.reset();
    QVERIFY2(!strayWindow_, "a modal window or menu was left open");
  }
  void closeStrayWindow() {
    QWidget* stray = QApplication::activeModalWidget();
    if (stray == nullptr) stray = QApplication::activePopupWidget();
    if (stray == nullptr) return;
    strayWindow_ = true;
    stray->close();
  }

 private:
  QTimer watchdog_;
  bool strayWindow_ = false;
};

}  // namespace vcurve::profileui::testing

#define VCURVE_DRAWING_TEST_MAIN(TestClass)               \
  int main(int argc, char** argv) {                       \
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) { \
      qputenv("QT_QPA_PLATFORM", "offscreen");            \
    }                                                     \
    QApplication app(argc, argv);                         \
    TestClass test;                                       \
    return QTest::qExec(&test, argc, argv);               \
  }
