#include "app/table/sheet_command.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <stdexcept>

#include "app/table/field_stations.h"
#include "app/table/option_values.h"
#include "app/table/system_io.h"
#include "profile/profile_csv.h"
#include "profile/profile_file.h"
#include "profile/sheet/dxf_writer.h"

namespace vcurve::table {
namespace {

using namespace vcurve::profile;
using namespace vcurve::profile::sheet;

constexpr std::array kSheetOptions{
    OptionRule{"--profile", ValueKind::Text, true},
    OptionRule{"--sheets", ValueKind::Text, true},
    OptionRule{"--name", ValueKind::Text},
    OptionRule{"--ground", ValueKind::Text},
    OptionRule{"--from", ValueKind::Station},
    OptionRule{"--to", ValueKind::Station},
    OptionRule{"--h-scale", ValueKind::Positive},
    OptionRule{"--v-scale", ValueKind::Positive},
    OptionRule{"--paper", ValueKind::Text},
    OptionRule{"--rows", ValueKind::Text},
    OptionRule{"--overlap", ValueKind::NonNegative},
    OptionRule{"--interval", ValueKind::Positive},
    OptionRule{"--project", ValueKind::Text},
    OptionRule{"--drawing-number", ValueKind::Text},
    OptionRule{"--date", ValueKind::Text},
    OptionRule{"--designer", ValueKind::Text},
    OptionRule{"--checker", ValueKind::Text},
    OptionRule{"--approver", ValueKind::Text},
    OptionRule{"--titles-first-only", ValueKind::Flag},
    OptionRule{"--geology", ValueKind::Text, false, true},
};

// "K0+000,K0+500,砂岩": the 地质概况 row's text over a stretch.
GeologyNote geologyNote(std::string_view given, std::pair<OptionValue, OptionValue>* stations) {
  const std::size_t first = given.find(','), second = given.find(',', first + 1);
  if (first == std::string_view::npos || second == std::string_view::npos) {
    throw UsageError(optionError("--geology", given, "无效，应写作 起点桩号,终点桩号,说明"));
  }
  const OptionRule station{"--geology", ValueKind::Station};
  *stations = {checkedValue(station, given.substr(0, first)),
               checkedValue(station, given.substr(first + 1, second - first - 1))};
  GeologyNote note{stations->first.number, stations->second.number,
                   std::string(given.substr(second + 1))};
  if (!(note.from < note.to)) {
    throw UsageError(optionError("--geology", given, "的起点须在终点之前"));
  }
  return note;
}

const OptionRule& rule(std::string_view name) {
  return *std::find_if(kSheetOptions.begin(), kSheetOptions.end(),
                       [&](const OptionRule& r) { return r.name == name; });
}

SheetFormat formatOf(std::string_view path) {
  std::string extension =
      std::filesystem::path(std::u8string(path.begin(), path.end())).extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (extension == ".pdf") return SheetFormat::Pdf;
  if (extension == ".dxf") return SheetFormat::Dxf;
  throw UsageError(optionError("--sheets", path, "的文件类型无效，应以 .pdf 或 .dxf 结尾"));
}

void removeQuietly(const std::string& path) {
  std::error_code ignored;
  std::filesystem::remove(std::filesystem::path(std::u8string(path.begin(), path.end())), ignored);
}

// The DXF under a temporary name first, so that a failed writing leaves
// no file that looks whole.
std::string writeDxfFile(const SheetLayout& layout, const std::string& path) {
  const std::string temporary = path + ".part";
  std::FILE* file = openFile(temporary, "wb");
  if (file == nullptr) return "无法写入“" + path + "”";
  bool ok = true;
  writeSheetsDxf(layout, [&](std::string_view block) {
    ok = ok && std::fwrite(block.data(), 1, block.size(), file) == block.size();
  });
  ok = std::fclose(file) == 0 && ok;
  ok = ok && replaceFile(temporary, path);
  if (!ok) {
    removeQuietly(temporary);
    return "写入“" + path + "”失败";
  }
  return {};
}

}  // namespace

bool isSheetCommand(const std::vector<std::string_view>& args) {
  return std::any_of(args.begin(), args.end(), [](std::string_view arg) {
    return arg == "--sheets" || arg.starts_with("--sheets=");
  });
}

SheetRequest parseSheetCommandLine(const std::vector<std::string_view>& args) {
  const GivenOptions given = givenOptions(args, kSheetOptions);
  const auto text = [&](std::string_view name) {
    return given.has(name) ? std::string(given.first(name)) : std::string();
  };
  const auto number = [&](std::string_view name) {
    return checkedValue(rule(name), given.first(name)).number;
  };
  SheetRequest request;
  request.file = text("--profile");
  request.output = text("--sheets");
  request.format = formatOf(request.output);
  request.name = text("--name");
  request.ground = text("--ground");
  SheetSettings& s = request.settings;
  if (given.has("--from")) {
    request.from = checkedValue(rule("--from"), given.first("--from"));
    s.from = request.from->number;
  }
  if (given.has("--to")) {
    request.to = checkedValue(rule("--to"), given.first("--to"));
    s.to = request.to->number;
  }
  if (given.has("--h-scale")) s.horizontalScale = number("--h-scale");
  if (given.has("--v-scale")) s.verticalScale = number("--v-scale");
  if (given.has("--overlap")) s.overlap = number("--overlap");
  if (given.has("--interval")) s.interval = number("--interval");
  if (given.has("--paper")) {
    const auto paper = paperFromName(given.first("--paper"));
    if (!paper)
      throw UsageError(
          optionError("--paper", given.first("--paper"), "无效，应为 A4、A3、A2 或 A1"));
    s.paper = *paper;
  }
  if (given.has("--rows")) {
    std::string problem;
    s.rows = parseBandRows(given.first("--rows"), &problem);
    if (s.rows.empty())
      throw UsageError(optionError("--rows", given.first("--rows"), "无效：" + problem));
  }
  s.titlesOnEverySheet = !given.has("--titles-first-only");
  if (given.has("--geology")) {
    for (const std::string_view note : given.values.at("--geology")) {
      s.geology.push_back(geologyNote(note, &request.geologyStations.emplace_back()));
    }
  }
  s.title.project = text("--project");
  s.title.drawingNumber = text("--drawing-number");
  s.title.date = text("--date");
  s.title.designer = text("--designer");
  s.title.checker = text("--checker");
  s.title.approver = text("--approver");
  if (const std::string problem = settingsProblem(s); !problem.empty()) throw UsageError(problem);
  return request;
}

int runSheetCommand(const std::vector<std::string_view>& args, const Say& say) {
  const SheetRequest request = parseSheetCommandLine(args);
  const std::string bytes = readInputFile(request.file);
  const Loaded<ProfileDocument> document = readProfileFile(bytes, request.file, request.name);
  if (!document.ok()) throw UsageError(document.error->message());
  const auto profile = std::make_shared<const Profile>(document.value.points,
                                                       ChainageEquations(document.value.equations));
  if (!profile->usable() || profile->size() < 2) {
    throw UsageError("纵断面“" + request.file + "”不完整或有误，不能出图");
  }
  std::vector<GroundPoint> groundPoints = document.value.ground;
  if (!request.ground.empty()) {
    const std::string groundBytes = readInputFile(request.ground);
    const Loaded<std::vector<GroundPoint>> read = readGroundCsv(groundBytes, request.ground);
    if (!read.ok()) throw UsageError(read.error->message());
    groundPoints = read.value;
  }
  std::shared_ptr<const GroundLine> ground;
  if (!groundPoints.empty()) {
    try {
      ground = std::make_shared<const GroundLine>(std::move(groundPoints));
    } catch (const std::invalid_argument&) {
      throw UsageError("地面线“" + request.ground + "”的桩号须逐点增大");
    }
  }
  SheetSettings settings = request.settings;
  if (request.from) settings.from = fieldDistance(*request.from, *profile);
  if (request.to) settings.to = fieldDistance(*request.to, *profile);
  for (std::size_t k = 0; k < settings.geology.size(); ++k) {
    settings.geology[k].from = fieldDistance(request.geologyStations[k].first, *profile);
    settings.geology[k].to = fieldDistance(request.geologyStations[k].second, *profile);
  }
  if (const std::string problem = settingsProblem(settings); !problem.empty()) {
    throw UsageError(problem);
  }
  std::unique_ptr<SheetLayout> layout;
  try {
    layout = std::make_unique<SheetLayout>(profile, ground, settings);
  } catch (const std::invalid_argument& error) {
    throw UsageError(error.what());
  }
  const std::string error = request.format == SheetFormat::Dxf
                                ? writeDxfFile(*layout, request.output)
                                : writeSheetsPdfFile(*layout, request.output);
  if (!error.empty()) {
    say("错误", error);
    return 1;
  }
  return 0;
}

}  // namespace vcurve::table
