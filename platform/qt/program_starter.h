#pragma once

#include <QStringList>

#include "platform/platform.h"

namespace vcurve {

// Starts programs through the system's program search. Where the requested
// program does not exist (the editor and calculator names of another
// operating system), the desktop's usual editor or calculator is started.
class QtProgramStarter : public ProgramStarter {
 public:
  bool StartProgram(std::string_view commandLine) override;

  // The programs tried for a command line, in order.
  static QStringList candidatesFor(std::string_view commandLine);
};

}  // namespace vcurve
