// The profile engine's speed goals on a 1,000-PVI profile of 100 km: load
// and derive from CSV, all checks, one elevation lookup, one edit, and the
// stake table at 1 m written as CSV. Each is the best of several runs,
// printed against its goal, and the lookup also against a linear walk
// measured in the same run.
//
// profile_bench --write-profile FILE writes the profile's CSV and exits.

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "profile/chainage_equations.h"
#include "profile/checks.h"
#include "profile/profile_csv.h"
#include "profile/profile_text.h"
#include "profile/stake_table.h"

namespace {

using namespace vcurve::profile;
using Clock = std::chrono::steady_clock;

// A fixed pseudo-random sequence: the same profile in every run.
class Sequence {
 public:
  double next() {  // in [0, 1)
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return double(state_ >> 11) / double(1ULL << 53);
  }

 private:
  std::uint64_t state_ = 2024;
};

// 1,000 PVIs between K0+000 and K100+000, grades within ±4 % breaking by
// 0.5 to 3.5 % at every PVI, every curve as large as its neighbours leave
// room for.
std::vector<ProfilePoint> hundredKilometres() {
  Sequence random;
  std::vector<double> gaps;
  for (int i = 0; i < 1001; ++i) gaps.push_back(60 + 80 * random.next());
  double total = 0;
  for (const double g : gaps) total += g;
  std::vector<ProfilePoint> points{{0, 800, 0}};
  double station = 0;
  double grade = 1;
  for (std::size_t i = 0; i < gaps.size(); ++i) {
    const double next =
        i + 1 == gaps.size() ? 100000 : std::round(station + gaps[i] * 100000 / total);
    const double change = 0.5 + 3 * random.next();
    grade = grade + change > 4    ? grade - change
            : grade - change < -4 ? grade + change
            : random.next() < 0.5 ? grade - change
                                  : grade + change;
    const double elevation = points.back().elevation + grade / 100 * (next - station);
    points.push_back({next, std::round(elevation * 1000) / 1000, 0});
    station = next;
  }
  const Profile plain(points);
  for (std::size_t k = 1; k + 1 < points.size(); ++k) {
    const double omega = std::fabs(*plain.rows()[k].omega);
    const double room = 0.45 * std::min(points[k].station - points[k - 1].station,
                                        points[k + 1].station - points[k].station);
    points[k].radius = std::max(100.0, std::floor(room * 200 / omega / 100) * 100);
  }
  return points;
}

template <typename Work>
double bestSeconds(int runs, Work&& work) {
  double best = 1e300;
  for (int i = 0; i < runs; ++i) {
    const auto start = Clock::now();
    work();
    best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
  }
  return best;
}

void report(const char* what, double seconds, double goal, const char* unit, double scale) {
  std::printf("%-46s %10.3f %s  (goal < %g %s: %s, %.1fx %s)\n", what, seconds * scale, unit,
              goal * scale, unit, seconds < goal ? "met" : "MISSED",
              seconds < goal ? goal / seconds : seconds / goal, seconds < goal ? "under" : "over");
}

volatile double sink;

}  // namespace

int main(int argc, char** argv) {
  const std::vector<ProfilePoint> points = hundredKilometres();
  const std::string csv = profileCsv(Profile(points));
  if (argc == 3 && std::strcmp(argv[1], "--write-profile") == 0) {
    std::ofstream(argv[2], std::ios::binary) << csv;
    return 0;
  }
  const auto profile = std::make_shared<const Profile>(points);
  if (!profile->usable() || !profile->overfullGrades().empty()) {
    std::fprintf(stderr, "profile_bench: the generated profile is not what it should be\n");
    return 1;
  }
  const SpeedLimits& limits = *highwayCode().forSpeed(80);
  std::printf("profile: %zu points, K0+000 to K100+000, %zu elements, %zu findings at 80 km/h\n",
              profile->size(), profile->elements().size(),
              checkProfile(*profile, highwayCode(), limits).size());

  report("load and derive from CSV (1,000 PVIs)",
         bestSeconds(50,
                     [&] {
                       const auto read = readProfileCsv(csv, "road.csv");
                       const Profile derived(read.value);
                       sink = derived.endStation();
                     }),
         0.005, "ms", 1e3);
  report("all checks",
         bestSeconds(200,
                     [&] { sink = double(checkProfile(*profile, highwayCode(), limits).size()); }),
         0.001, "ms", 1e3);
  // Every rule at once: the class's allowance, 最大坡长 over runs, and the
  // 平均纵坡 of a 越岭路线 with its 3 km windows.
  CheckBasis ridge{&highwayCode(), highwayCode().forSpeed(60), highwayCode().forClass("二级公路")};
  ridge.ridgeRoute = true;
  report("all checks, every rule (二级公路 越岭路线, 60 km/h)",
         bestSeconds(200, [&] { sink = double(checkProfile(*profile, ridge).size()); }), 0.001,
         "ms", 1e3);
  const CheckBasis urban{&urbanCode(), urbanCode().forSpeed(50), urbanCode().forClass("主干路")};
  report("all checks, CJJ 37 主干路 50 km/h",
         bestSeconds(200, [&] { sink = double(checkProfile(*profile, urban).size()); }), 0.001,
         "ms", 1e3);

  std::vector<double> stations;
  Sequence random;
  for (int i = 0; i < 1'000'000; ++i) stations.push_back(100000 * random.next());
  const double lookup = bestSeconds(5,
                                    [&] {
                                      double sum = 0;
                                      for (const double s : stations)
                                        sum += profile->lookup(s).elevation;
                                      sink = sum;
                                    }) /
                        double(stations.size());
  report("one elevation lookup", lookup, 100e-9, "ns", 1e9);
  // The same answers by walking the elements from the start.
  const auto& elements = profile->elements();
  const std::size_t walked = 10'000;
  const double walk =
      bestSeconds(3,
                  [&] {
                    double sum = 0;
                    for (std::size_t i = 0; i < walked; ++i) {
                      std::size_t e = 0;
                      while (e + 1 < elements.size() && elements[e + 1].start <= stations[i]) ++e;
                      sum += double(e);
                    }
                    sink = sum;
                  }) /
      double(walked);
  std::printf("%-46s %10.1f ns  (the binary search is %.0fx faster)\n",
              "  baseline: a walk along the elements", walk * 1e9, walk / lookup);

  report("one edit: re-derive and re-check",
         bestSeconds(200,
                     [&] {
                       std::vector<ProfilePoint> edited = points;
                       edited[500].elevation += 0.5;
                       const Profile again(std::move(edited));
                       sink = double(checkProfile(again, highwayCode(), limits).size());
                     }),
         0.016, "ms", 1e3);

  // The same road numbered with 50 断链, long and short by turns: stations
  // typed as field stations go through the equations first.
  std::vector<ChainageEquation> equations;
  double shift = 0;  // the numbering's lead over the true distance so far
  for (int i = 0; i < 50; ++i) {
    const double back = std::round((1000 + 2000.0 * i + 7 * random.next() + shift) * 1000) / 1000;
    const double jump = std::round((0.5 + 19.5 * random.next()) * 1000) / 1000;
    equations.push_back({back, i % 2 == 0 ? back - jump : back + jump});
    shift += equations.back().ahead - back;
  }
  const auto broken = std::make_shared<const Profile>(points, ChainageEquations(equations));
  std::vector<FieldStation> typed;
  for (std::size_t i = 0; i < 1'000'000; ++i) {
    typed.push_back(*readFieldStation(broken->stationText(stations[i])));
  }
  const double byField =
      bestSeconds(5,
                  [&] {
                    double sum = 0;
                    for (const FieldStation& f : typed) {
                      sum += broken->lookup(broken->chainage().distance(f).distance).elevation;
                    }
                    sink = sum;
                  }) /
      double(typed.size());
  report("one lookup by field station (50 断链)", byField, 100e-9, "ns", 1e9);
  const double convertOnly = bestSeconds(5,
                                         [&] {
                                           double sum = 0;
                                           for (const FieldStation& f : typed)
                                             sum += broken->chainage().distance(f).distance;
                                           sink = sum;
                                         }) /
                             double(typed.size());
  std::printf("%-46s %10.1f ns\n", "  of which field station to true distance", convertOnly * 1e9);
  const std::string brokenCsv = profileCsv(*broken);
  const auto loadSeconds = [&](const std::string& text) {
    return bestSeconds(50, [&] {
      std::vector<ChainageEquation> read;
      const auto loaded = readProfileCsv(text, "road.csv", nullptr, &read);
      const Profile derived(loaded.value, ChainageEquations(read));
      sink = derived.endStation();
    });
  };
  const double plainLoad = loadSeconds(csv);
  const double brokenLoad = loadSeconds(brokenCsv);
  std::printf("%-46s %10.3f ms  (%.2fx the same without 断链; goal < 1.2x: %s)\n",
              "load and derive from CSV with 50 断链", brokenLoad * 1e3, brokenLoad / plainLoad,
              brokenLoad < 1.2 * plainLoad ? "met" : "MISSED");

  const StakeTable table(profile, nullptr, 1);
  std::size_t bytes = 0;
  report("stake table, every 1 m and key points, CSV",
         bestSeconds(3,
                     [&] {
                       bytes = 0;
                       writeStakeCsv(table, [&](std::string_view block) { bytes += block.size(); });
                     }),
         0.2, "s", 1);
  std::printf("  (%zu rows, %zu bytes)\n", table.size(), bytes);
}
