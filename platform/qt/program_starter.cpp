#include "platform/qt/program_starter.h"

#include <QProcess>
#include <QStandardPaths>

namespace vcurve {

QStringList QtProgramStarter::candidatesFor(std::string_view commandLine) {
  const QString requested =
      QString::fromUtf8(commandLine.data(), static_cast<qsizetype>(commandLine.size()));
  QStringList candidates{requested};
  if (requested.compare(QLatin1String("notepad.exe"), Qt::CaseInsensitive) == 0) {
    candidates << "gnome-text-editor"
               << "gedit"
               << "kate"
               << "kwrite"
               << "mousepad"
               << "xed"
               << "pluma"
               << "featherpad"
               << "leafpad";
  } else if (requested.compare(QLatin1String("calc.exe"), Qt::CaseInsensitive) == 0) {
    candidates << "gnome-calculator"
               << "kcalc"
               << "galculator"
               << "qalculate-gtk"
               << "qalculate-qt"
               << "mate-calc"
               << "xcalc";
  }
  return candidates;
}

bool QtProgramStarter::StartProgram(std::string_view commandLine) {
  for (const QString& candidate : candidatesFor(commandLine)) {
    const QString path = QStandardPaths::findExecutable(candidate);
    // Detached: the calculator's window lives on its own and this call
    // never waits for it.
    if (!path.isEmpty() && QProcess::startDetached(path, {})) return true;
  }
  return false;
}

}  // namespace vcurve
