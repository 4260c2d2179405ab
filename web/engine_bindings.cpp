// The engine as the field page's JavaScript sees it: plain values in, plain
// objects out. The logic is in field_session.cpp and the engine itself.

#include <emscripten/bind.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "checks/field_checks.h"
#include "core/calculate.h"
#include "web/field_session.h"

namespace {

using emscripten::val;
using vcurve::Field;

vcurve::web::FieldSession session;

val strings(const std::vector<std::string>& texts) {
  val array = val::array();
  for (const std::string& text : texts) array.call<void>("push", text);
  return array;
}

// The calculator's seven fields and its result list as the page holds them,
// for one command at a time: the same Platform the desktop window binds.
class PageForm final : public vcurve::Platform {
 public:
  explicit PageForm(const val& fields) {
    for (std::size_t i = 0; i < fields_.size(); ++i) fields_[i] = fields[i].as<std::string>();
  }
  std::string fieldText(Field field) const override { return fields_[index(field)]; }
  void setFieldText(Field field, std::string_view text) override {
    fields_[index(field)] = std::string(text);
  }
  void setFocus(Field field) override { focus_ = static_cast<int>(index(field)); }
  void appendListLine(std::string_view line) override { lines_.emplace_back(line); }
  void clearList() override { cleared_ = true; }
  void ShowMessage(std::string_view prompt, vcurve::MessageStyle, std::string_view title) override {
    messages_.push_back(std::string(title) + "：" + std::string(prompt));
  }

  val answer() const {
    val out = val::object();
    out.set("fields", strings({fields_.begin(), fields_.end()}));
    out.set("lines", strings(lines_));
    out.set("messages", strings(messages_));
    out.set("cleared", cleared_);
    out.set("focus", focus_);
    return out;
  }

 private:
  static std::size_t index(Field field) { return static_cast<std::size_t>(field); }
  std::array<std::string, 7> fields_;
  std::vector<std::string> lines_, messages_;
  bool cleared_ = false;
  int focus_ = -1;
};

// The window's counter numbers the lines on across 重算, as it does there.
std::int16_t pointCount = 0;

// command: "convex", "concave" (计 算), "clear" (重 算), "radius" (leaving
// the radius), "station" (leaving the station), "grade5", "grade6".
val calculator(const std::string& command, const val& fields) {
  PageForm form(fields);
  if (command == "convex" || command == "concave") {
    vcurve::Calculate(command == "convex" ? vcurve::CurveType::Convex : vcurve::CurveType::Concave,
                      form, pointCount);
  } else if (command == "clear") {
    if (vcurve::IsAnyFieldEmpty(form)) {
      form.ShowMessage("你未作任何计算，请输入所有选项的数据！", vcurve::MessageStyle::Warning,
                       vcurve::kWarningTitle);
    }
    for (const Field field : vcurve::kAllFields) form.setFieldText(field, "");
    form.clearList();
  } else if (command == "radius") {
    vcurve::CheckRadius(form);
  } else if (command == "station") {
    vcurve::CheckStation(form);
  } else if (command == "grade5" || command == "grade6") {
    vcurve::CheckGrade(form, command == "grade5" ? Field::Text5 : Field::Text6);
  }
  return form.answer();
}

val station(const vcurve::web::StationAnswer& answer) {
  val out = val::object();
  out.set("problem", answer.problem);
  out.set("station", answer.station);
  out.set("distance", answer.distance);
  out.set("elevation", answer.elevation);
  out.set("grade", answer.grade);
  out.set("element", answer.element);
  out.set("leftEdge", answer.leftEdge);
  out.set("rightEdge", answer.rightEdge);
  out.set("leftSlope", answer.leftSlope);
  out.set("rightSlope", answer.rightSlope);
  return out;
}

val loadProfile(const std::string& bytes, const std::string& fileName) {
  const vcurve::web::LoadAnswer answer = session.load(bytes, fileName);
  val out = val::object();
  out.set("problem", answer.problem);
  out.set("warning", answer.warning);
  out.set("start", answer.start);
  out.set("end", answer.end);
  out.set("points", answer.points);
  out.set("equations", answer.equations);
  return out;
}

val elevationAt(const std::string& text) { return station(session.at(text)); }

val loadSections(const std::string& bytes, const std::string& fileName) {
  const vcurve::web::SectionsAnswer answer = session.loadSections(bytes, fileName);
  val out = val::object();
  out.set("problem", answer.problem);
  out.set("templates", answer.templates);
  out.set("curves", answer.curves);
  return out;
}

val fillCut(const std::string& text, const std::string& measured, const std::string& offset) {
  const vcurve::web::FillCutAnswer answer = session.fillCut(text, measured, offset);
  val out = station(answer.at);
  out.set("kind", answer.kind);
  out.set("amount", answer.amount);
  out.set("offset", answer.offset);
  out.set("offsetElevation", answer.elevation);
  return out;
}

val stakeList(const std::string& from, const std::string& to, const std::string& step,
              const val& added) {
  const vcurve::web::StakeAnswer answer =
      session.stakes(from, to, step, emscripten::vecFromJSArray<std::string>(added));
  val out = val::object();
  out.set("problem", answer.problem);
  out.set("messages", strings(answer.messages));
  // Bytes, not text: the CSV starts with the BOM that Excel wants.
  out.set("csv",
          val(emscripten::typed_memory_view(
                  answer.csv.size(), reinterpret_cast<const unsigned char*>(answer.csv.data())))
              .call<val>("slice"));
  return out;
}

}  // namespace

EMSCRIPTEN_BINDINGS(vcurve_engine) {
  emscripten::function("calculator", &calculator);
  emscripten::function("loadProfile", &loadProfile);
  emscripten::function("elevationAt", &elevationAt);
  emscripten::function("loadSections", &loadSections);
  emscripten::function("fillCut", &fillCut);
  emscripten::function("stakeList", &stakeList);
}
