#pragma once

// Opening a profile or ground-line file without freezing the window: the
// file is mapped rather than copied and read in one pass on a thread of
// its own, its pages given back as they are read, so that a suite's
// export of hundreds of megabytes costs the window little more memory
// than the profile in it. The window keeps painting meanwhile; after half
// a second a progress dialog shows, and 取消 stops the reading and leaves
// the window as it was. A LandXML file's names come from the same pass,
// and only then is the user asked which profile to take.

#include <QString>
#include <functional>

#include "ui/profile/profile_files.h"

class QWidget;

namespace vcurve::profileui {

// Both return with cancelled set when the user cancelled the reading or
// the choice of a profile.
OpenedProfile openProfileFile(QWidget* parent, const QString& path, const ProfileChooser& choose);
OpenedGround openGroundFile(QWidget* parent, const QString& path, const ProfileChooser& choose);

// For tests and benchmarks: told on the reading thread how many bytes have
// been read, each time the reader says; it may hold the reading back.
void setReadingObserver(std::function<void(qint64 read)> observer);

}  // namespace vcurve::profileui
