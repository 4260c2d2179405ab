#pragma once

// A start that cannot open any window ends with one line on stderr that
// says why, and exit status 1, instead of Qt's own lines and an abort.

namespace vcurve {

// Before the QApplication is made: holds Qt's messages back, and turns the
// fatal one Qt gives when no window system can be reached into that line,
// which starts with the program's name ("vcurve-profile") and suggests
// starting it again as it was started (argv[0]).
void ExplainStartupFailure(const char* name, const char* startedAs);

// Once the QApplication exists: shows the messages held back and gives
// Qt's messages their usual way out again.
void ReleaseStartupMessages();

}  // namespace vcurve
