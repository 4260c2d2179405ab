#pragma once

// The three numbers a designer types for each point of a profile, how one
// cell's text is read, and the rules a list of points must meet before
// anything can be derived from it.

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vcurve::profile {

// A row of the 纵坡竖曲线表: the start, a PVI (变坡点) or the end. The radius
// of the start and the end has no effect; 0 at a PVI means no curve.
struct ProfilePoint {
  double station = 0;    // metres
  double elevation = 0;  // metres
  double radius = 0;     // metres, >= 0
  bool operator==(const ProfilePoint&) const = default;
};

enum class InputColumn { Station, Elevation, Radius };

// Rows are 0-based indexes into the point list; texts show them 1-based.
struct InputError {
  std::optional<std::size_t> row;  // none for the list as a whole
  std::optional<InputColumn> column;
  std::string message;  // Chinese, without the place
};

// Far more than any real road needs (a 1,000 km motorway has a few
// thousand), and small enough that a file of junk cannot exhaust memory.
inline constexpr std::size_t kMaximumPoints = 100'000;

// Beyond any road on Earth, and near enough that nothing derived from
// values within them (grades, tangents, E) can overflow.
inline constexpr double kLargestStation = 1e8;    // metres: 100,000 km
inline constexpr double kLargestElevation = 1e5;  // metres
inline constexpr double kLargestRadius = 1e9;     // metres
// A curve any road has is a hundred metres at least; below a metre a
// radius is a typing slip, and near zero its numbers stop being printable.
inline constexpr double kSmallestRadius = 1;  // metres, for a radius that is not 0

// One cell's text as typed, pasted or read from a file. Blanks around the
// text are ignored. Stations are metres ("5030.25") or chainage
// ("K5+030.25"); the radius may be empty, meaning 0. Full-width digits and
// signs read as their ASCII forms.
struct CellReading {
  double value = 0;
  std::string error;  // empty when the text was read
  bool ok() const { return error.empty(); }
};
CellReading readCell(InputColumn column, std::string_view text);

// Every reason the points cannot be derived, in row order: fewer than two
// points, too many, a value that is not finite or beyond the limits above,
// a negative radius, a station not greater than the one before. Empty when
// the list is usable.
std::vector<InputError> validatePoints(std::span<const ProfilePoint> points);

// Why a station or an elevation is outside the limits above (NaN included);
// empty when it is inside.
std::string stationProblem(double station);
std::string elevationProblem(double elevation);

// The station and the elevation of one row of a list of points whose
// stations strictly increase (a profile, a ground line): what is wrong with
// them is added to errors. `before` is the station of the row before, none
// for the first row.
void checkStationAndElevation(std::size_t row, double station, double elevation,
                              std::optional<double> before, std::vector<InputError>& errors);

// A new point to insert before row `at` (at == size() appends): halfway
// between its neighbours on the straight line joining them, or 100 m on
// along the first or last grade; no curve.
ProfilePoint pointToInsert(std::span<const ProfilePoint> points, std::size_t at);

// A text from a file fit to quote in a message: at most a few dozen
// characters, anything that is not printable UTF-8 (a GBK byte, a control
// character) shown as '?'.
std::string printableText(std::string_view text);

// Where a row is shown to the user: "第 3 点".
std::string rowText(std::size_t row);

}  // namespace vcurve::profile
