#pragma once

// The few places where the table program meets the operating system: its
// arguments, its standard streams and the files it writes. Everything else
// in the program is the same on every system.

#include <cstdio>
#include <string>
#include <vector>

namespace vcurve::table {

// The arguments after the program name, as UTF-8.
std::vector<std::string> utf8Arguments(int argc, char** argv);

// Standard output and error as byte streams: no line-ending translation, and
// UTF-8 text shown as such by a console.
void prepareStandardStreams();

// std::fopen for a UTF-8 path.
std::FILE* openFile(const std::string& path, const char* mode);

// Puts the complete file `from` in the place of `to`, replacing what was
// there in one step where the system allows it; false when that failed.
bool replaceFile(const std::string& from, const std::string& to);

}  // namespace vcurve::table
