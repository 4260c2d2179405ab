#pragma once

// The profile drawn as Chinese profile drawings show it: station along,
// elevation up and exaggerated, grade lines with their labels, the curves
// with their elements, the ground line, and the findings marked where they
// are. The view only draws and reports the user's gestures; every number it
// shows comes from the engine, and every change goes back through whoever
// owns the profile.

#include <QWidget>
#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

#include "profile/checks.h"
#include "profile/ground_line.h"
#include "profile/profile.h"

namespace vcurve::profileui {

class ProfileView : public QWidget {
  Q_OBJECT

 public:
  explicit ProfileView(QWidget* parent = nullptr);
  ~ProfileView() override;

  // What is drawn. A null ground line draws none.
  void setProfile(std::shared_ptr<const profile::Profile> profile);
  void setGroundLine(std::shared_ptr<const profile::GroundLine> ground);
  void setFindings(std::vector<profile::Finding> findings);
  void setSelectedRow(std::optional<std::size_t> row);
  // A station the user went to, marked until another is or none; a station
  // outside the view is brought into it.
  void setMarkedStation(std::optional<double> station);
  std::optional<double> markedStation() const;

  // Elevations drawn this many times the scale of stations; 10 by default.
  void setVerticalExaggeration(double factor);
  double verticalExaggeration() const;
  // The station under the pointer, none off the road.
  std::optional<double> hoverStation() const;

  // The whole profile and ground line across the view's width. The view
  // keeps fitting every new profile until the user zooms, pans or drags a
  // point, and fits again by itself when a profile lies wholly outside it;
  // it never zooms out or pans beyond the road's ends. The user
  // fits with Home or F, zooms with the wheel or + and -, and pans by
  // dragging empty space or with the arrow keys.
  void fitAll();

  // Where a station and elevation are drawn in the widget at the current
  // zoom and pan.
  QPointF mapToView(double station, double elevation) const;

 Q_SIGNALS:
  // A click on a PVI (or the start or end point).
  void rowClicked(std::size_t row);
  // A PVI dragged up or down and let go: one edit of its elevation.
  void pviElevationDragged(std::size_t row, double elevation);
  // The profile as the point being dragged would leave it, at each step
  // of the drag (its elevation to the centimetre, with Shift to the
  // millimetre); null when the drag ends.
  void dragPreviewChanged(std::shared_ptr<const profile::Profile> preview);
  // Chainage, design and ground elevation and cut or fill under the cursor,
  // ready for the status bar; empty when the cursor leaves the profile.
  void hoverTextChanged(const QString& text);
  void verticalExaggerationChanged(double factor);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void leaveEvent(QEvent* event) override;
  QSize sizeHint() const override;

 private:
  const profile::Profile* shownProfile() const;
  void prepareView();
  void fitToContent();
  void userMovedView();
  std::optional<std::size_t> pointAt(const QPointF& pixel) const;
  void hoverAt(const QPointF& pixel);
  void setHoverText(const QString& text);
  void dragTo(const QPointF& pixel, Qt::KeyboardModifiers modifiers);
  void cancelGesture();

  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace vcurve::profileui
