// The stake table of a profile over its ground line as the window saves
// it, for the scripts that check the sheets' texts against it.
// stake_dump PROFILE GROUND.csv

#include <cstdio>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>

#include "profile/profile_csv.h"
#include "profile/profile_file.h"

int main(int argc, char** argv) {
  using namespace vcurve::profile;
  if (argc != 3) return 2;
  const auto slurp = [](const char* path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
  };
  const auto document = readProfileFile(slurp(argv[1]), argv[1]);
  const auto ground = readGroundCsv(slurp(argv[2]), argv[2]);
  if (!document.ok() || !ground.ok()) return 1;
  const StakeTable table(std::make_shared<const Profile>(document.value.points),
                         std::make_shared<const GroundLine>(ground.value));
  writeStakeCsv(table, [](std::string_view block) { std::cout.write(block.data(), block.size()); });
  return 0;
}
