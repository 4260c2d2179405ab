#pragma once

// What the drawing's suites share: a view showing the mountain sample.

#include <QtTest>
#include <memory>

#include "qt_harness.h"
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
  void init() { view = std::make_unique<ProfileView>(); }
  void cleanup() { view.reset(); }
};

}  // namespace vcurve::profileui::testing
