#pragma once

// Output files that appear under their name only once complete, never
// written through a link or shared with another run.

#include <cstdio>
#include <string>

namespace vcurve::table {

// A new file in the folder of `target`, made for writing under a name no
// other file had ("<name>.vcurve-<process>-<random>.part") and created
// exclusively, so that neither a link left under that name nor a second
// run writing the same target can be written through. Until the file is
// renamed or removed, an interrupted program (Ctrl+C, SIGTERM) removes it
// on its way out. Leftovers of runs that were killed outright are removed
// here, once their process is gone.
struct TemporaryFile {
  std::string path;
  std::FILE* file = nullptr;
};
// path is empty when it could not be made.
TemporaryFile createTemporaryBeside(const std::string& target);
// The name the workbook library, which opens files itself, writes this
// file through; file may be closed for it.
std::string handOverTemporary(TemporaryFile& temporary);
// Closes it (if still open) and removes it.
void discardTemporary(TemporaryFile& temporary);
// Closes it, gives it the permissions of an existing target and puts it in
// the target's place; false (and removed) when any of that failed.
bool commitTemporary(TemporaryFile& temporary, const std::string& target);

}  // namespace vcurve::table
