#include "profile/landxml_stream.h"

#include <expat.h>

#include <algorithm>
#include <vector>

#include "profile/landxml_settings.h"
#include "profile/landxml_syntax.h"

namespace vcurve::profile {
namespace {

// What an element is to the reader, by where it stands.
enum class Role {
  Document,
  Root,
  Units,
  UnitSystem,
  Alignments,
  Alignment,
  Equation,
  Profile,
  ProfAlign,
  Point,
  Surface,
  PointList,
  Feature,
  Property,
  Leaf,  // kept, but nothing inside it
};

std::string_view localName(std::string_view name) {
  const std::size_t colon = name.find(':');
  return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

bool blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// How the bytes reach expat. Bytes: any byte sequence, UTF-8 or GBK or
// broken, goes through unchanged, as ISO-8859-1 that is turned back into
// the bytes; a file that says it is ISO-8859-1 is read as such; UTF-16 is
// left to expat.
enum class Mode { Bytes, Latin1, Utf16 };

class Keeper {
 public:
  Keeper(std::string_view bytes, const KeepGround& keepGround, KeptLandXml& kept)
      : bytes_(bytes), keepGround_(keepGround), kept_(kept) {
    if (bytes_.starts_with("\xFF\xFE") || bytes_.starts_with("\xFE\xFF") ||
        bytes_.starts_with(std::string_view("<\0?\0", 4)) ||
        bytes_.starts_with(std::string_view("\0<\0?", 4))) {
      mode_ = Mode::Utf16;
    } else {
      if (bytes_.starts_with("\xEF\xBB\xBF")) skipped_ = 3;
      if (declaresLatin1(bytes_.substr(skipped_))) mode_ = Mode::Latin1;
      skipped_ = prologEnd(bytes_, skipped_);
      if (skipped_ == std::string_view::npos) {
        skipped_ = bytes_.size();
        problem_ = XmlProblem{static_cast<std::ptrdiff_t>(bytes_.size()) - 1, "XML 格式错误"};
      }
    }
    kept_.utf16 = mode_ == Mode::Utf16;
    parser_ = XML_ParserCreate(mode_ == Mode::Utf16 ? nullptr : "ISO-8859-1");
    nameShift_ = mode_ == Mode::Utf16 ? 2 : 1;
    XML_SetUserData(parser_, this);
    XML_SetElementHandler(parser_, &Keeper::onStart, &Keeper::onEnd);
    XML_SetCommentHandler(parser_, &Keeper::onComment);
    XML_SetProcessingInstructionHandler(parser_, &Keeper::onInstruction);
    XML_SetCdataSectionHandler(parser_, &Keeper::onCdataStart, &Keeper::onCdataEnd);
    XML_SetEntityDeclHandler(parser_, &Keeper::onEntity);
    XML_SetSkippedEntityHandler(parser_, &Keeper::onSkippedEntity);
    XML_SetParamEntityParsing(parser_, XML_PARAM_ENTITY_PARSING_NEVER);
    stack_.push_back(Frame{Role::Document, kept_.document, false, false, {}, {}});
  }
  ~Keeper() { XML_ParserFree(parser_); }
  Keeper(const Keeper&) = delete;
  Keeper& operator=(const Keeper&) = delete;

  std::optional<XmlProblem> run(const ReadProgress& progress) {
    constexpr std::size_t kChunk = std::size_t{1} << 20;
    constexpr std::size_t kReported = std::size_t{4} << 20;
    if (problem_) return problem_;
    std::size_t at = skipped_;
    std::size_t reported = 0;
    bool ok = true;
    if (mode_ != Mode::Utf16) {
      // As if the file named a DTD of its own, which is never read: a
      // reference to an entity no one defined is then kept as written, not
      // refused.
      constexpr std::string_view kDtd = "<!DOCTYPE LandXML SYSTEM \"\">";
      XML_Parse(parser_, kDtd.data(), static_cast<int>(kDtd.size()), XML_FALSE);
      prefix_ = kDtd.size();
    }
    do {
      const std::size_t size = std::min(kChunk, bytes_.size() - at);
      const bool last = at + size == bytes_.size();
      ok = XML_Parse(parser_, bytes_.data() + at, static_cast<int>(size), last) == XML_STATUS_OK;
      at += size;
      if (progress && (at - reported >= kReported || last || !ok)) {
        progress(at);
        reported = at;
      }
      if (!ok) break;
    } while (at < bytes_.size());
    if (problem_) return problem_;
    if (ok || rootClosed_) return std::nullopt;
    const XML_Error code = XML_GetErrorCode(parser_);
    if (mode_ == Mode::Utf16) return XmlProblem{eventOffset(), std::string(problemOf(code))};
    const SyntaxProblem found = syntaxProblem(
        bytes_, faultOf(code), static_cast<std::size_t>(eventOffset()),
        std::string_view(openNames_).substr(openStarts_.empty() ? 0 : openStarts_.back()));
    return XmlProblem{static_cast<std::ptrdiff_t>(found.offset), found.problem};
  }

 private:
  struct Frame {
    Role role;
    pugi::xml_node node;
    bool wantsText = false;
    bool textDone = false;
    pugi::xml_node surface;  // a Profile's first ProfSurf
    std::vector<pugi::xml_node> profAligns;
  };

  static Keeper& self(void* data) { return *static_cast<Keeper*>(data); }

  std::ptrdiff_t eventOffset() const {
    return static_cast<std::ptrdiff_t>(XML_GetCurrentByteIndex(parser_)) -
           static_cast<std::ptrdiff_t>(prefix_) + static_cast<std::ptrdiff_t>(skipped_);
  }

  // expat's text as the file's bytes.
  std::string text(const XML_Char* data, std::size_t size) const {
    std::string out(data, size);
    if (mode_ != Mode::Bytes) return out;
    std::size_t put = 0;
    for (std::size_t i = 0; i < size; ++i) {
      const auto c = static_cast<unsigned char>(out[i]);
      if ((c == 0xC2 || c == 0xC3) && i + 1 < size) {
        out[put++] = static_cast<char>(((c & 0x03) << 6) | (out[i + 1] & 0x3F));
        ++i;
      } else {
        out[put++] = out[i];
      }
    }
    out.resize(put);
    return out;
  }
  std::string text(const XML_Char* data) const {
    return text(data, std::char_traits<char>::length(data));
  }

  static Role roleOf(const Frame& parent, std::string_view name, const XML_Char** atts) {
    const std::string_view local = localName(name);
    switch (parent.role) {
      case Role::Document:
        return Role::Root;
      case Role::Root:
        if (localName(parent.node.name()) != "LandXML") return Role::Document;
        return local == "Units"        ? Role::Units
               : local == "Alignments" ? Role::Alignments
                                       : Role::Document;
      case Role::Units:
        return local == "Metric" || local == "Imperial" ? Role::UnitSystem : Role::Document;
      case Role::Alignments:
        return local == "Alignment" ? Role::Alignment : Role::Document;
      case Role::Alignment:
        return local == "Profile"       ? Role::Profile
               : local == "StaEquation" ? Role::Equation
                                        : Role::Document;
      case Role::Profile:
        if (local == "ProfAlign") return Role::ProfAlign;
        if (local == "ProfSurf") return parent.surface ? Role::Document : Role::Surface;
        if (local == "Feature") {
          for (const XML_Char** a = atts; a[0] != nullptr; a += 2) {
            if (std::string_view(a[0]) == "code" && isSettingsFeature(a[1])) return Role::Feature;
          }
        }
        return Role::Document;
      case Role::ProfAlign:
        if (local == "Feature") return Role::Document;
        return local == "PVI" || local == "ParaCurve" || local == "CircCurve" ? Role::Point
                                                                              : Role::Leaf;
      case Role::Surface:
        return local == "PntList2D" ? Role::PointList : Role::Document;
      case Role::Feature:
        return local == "Property" ? Role::Property : Role::Document;
      default:
        return Role::Document;  // read past
    }
  }

  static bool keepsAttribute(Role role, std::string_view name) {
    switch (role) {
      case Role::UnitSystem:
        return name == "linearUnit" || name == "elevationUnit";
      case Role::Alignment:
      case Role::Profile:
      case Role::ProfAlign:
        return name == "name";
      case Role::Equation:
        return name == "staIncrement" || name == "staBack" || name == "staAhead" ||
               name == "staInternal";
      case Role::Point:
        return name == "length" || name == "radius" || name == "desc";
      case Role::Feature:
        return name == "code";
      case Role::Property:
        return name == "label" || name == "value";
      default:
        return false;
    }
  }

  void startElement(const XML_Char* name, const XML_Char** atts) {
    endText();
    openStarts_.push_back(openNames_.size());
    openNames_ += text(name);
    if (skipping_ > 0) {
      ++skipping_;
      return;
    }
    Frame& parent = stack_.back();
    const Role role = roleOf(parent, name, atts);
    if (role == Role::Document) {
      skipping_ = 1;
      XML_SetCharacterDataHandler(parser_, nullptr);
      return;
    }
    pugi::xml_node node = parent.node.append_child(text(name).c_str());
    kept_.offsets[node.internal_object()] = eventOffset() + nameShift_;
    const int specified = XML_GetSpecifiedAttributeCount(parser_);
    for (int a = 0; a + 1 < specified; a += 2) {
      if (keepsAttribute(role, atts[a])) {
        node.append_attribute(atts[a]).set_value(text(atts[a + 1]).c_str());
      }
    }
    if (role == Role::Surface) parent.surface = node;
    if (role == Role::ProfAlign) parent.profAligns.push_back(node);
    const bool wantsText = role == Role::Point || role == Role::PointList;
    stack_.push_back(Frame{role, node, wantsText, false, {}, {}});
    XML_SetCharacterDataHandler(parser_, wantsText ? &Keeper::onText : nullptr);
  }

  void endElement() {
    endText();
    openNames_.resize(openStarts_.back());
    openStarts_.pop_back();
    if (skipping_ > 0) {
      if (--skipping_ == 0) resumeText();
      return;
    }
    const Frame frame = std::move(stack_.back());
    stack_.pop_back();
    if (frame.role == Role::Profile && frame.surface) dropUnwantedSurface(frame);
    if (frame.role == Role::Root) {
      // What follows the document's element is not read.
      rootClosed_ = true;
      XML_StopParser(parser_, XML_FALSE);
      return;
    }
    resumeText();
  }

  void dropUnwantedSurface(const Frame& profile) {
    const pugi::xml_node alignment = profile.node.parent();
    for (const pugi::xml_node& profAlign : profile.profAligns) {
      const ProfileKey key{profileIndex_++, alignment.attribute("name").value(),
                           profile.node.attribute("name").value(),
                           profAlign.attribute("name").value()};
      if (!keepGround_ || keepGround_(key)) return;
    }
    pugi::xml_node node = profile.node;
    node.remove_child(profile.surface);
  }

  void resumeText() {
    const Frame& top = stack_.back();
    XML_SetCharacterDataHandler(parser_,
                                top.wantsText && !top.textDone ? &Keeper::onText : nullptr);
  }

  // A run of text ends at any markup. The first that is not all blanks (or
  // the first CDATA section, even blank) is the element's text.
  void endText() {
    Frame& top = stack_.back();
    if (skipping_ == 0 && top.wantsText && !top.textDone &&
        (inCdata_ || std::any_of(run_.begin(), run_.end(), [](char c) { return !blank(c); }))) {
      top.node.append_child(pugi::node_pcdata).set_value(run_.c_str());
      top.textDone = true;
      XML_SetCharacterDataHandler(parser_, nullptr);
    }
    run_.clear();
  }

  void fail(std::string problem) {
    if (!problem_) problem_ = XmlProblem{eventOffset(), std::move(problem)};
    XML_StopParser(parser_, XML_FALSE);
  }

  static std::string_view problemOf(XML_Error code) {
    switch (code) {
      case XML_ERROR_NO_MEMORY:
        return "内存不足，无法读取";
      case XML_ERROR_TAG_MISMATCH:
        return "XML 格式错误：开始和结束标签不配对";
      case XML_ERROR_DUPLICATE_ATTRIBUTE:
        return "XML 格式错误：属性写法有误";
      case XML_ERROR_UNDEFINED_ENTITY:
        return "XML 格式错误：引用了未定义的实体";
      default:
        return "XML 格式错误";
    }
  }

  XmlFault faultOf(XML_Error code) const {
    switch (code) {
      case XML_ERROR_NO_MEMORY:
        return XmlFault::OutOfMemory;
      case XML_ERROR_NO_ELEMENTS:
        return stack_.size() > 1 ? XmlFault::EndedOpen : XmlFault::NoElement;
      case XML_ERROR_UNCLOSED_TOKEN:
      case XML_ERROR_PARTIAL_CHAR:
      case XML_ERROR_UNCLOSED_CDATA_SECTION:
        return XmlFault::TokenAtEnd;
      case XML_ERROR_TAG_MISMATCH:
        return XmlFault::TagMismatch;
      case XML_ERROR_UNDEFINED_ENTITY:
        return XmlFault::Entity;
      default:
        return XmlFault::Other;
    }
  }

  static void onStart(void* data, const XML_Char* name, const XML_Char** atts) {
    self(data).startElement(name, atts);
  }
  static void onEnd(void* data, const XML_Char*) { self(data).endElement(); }
  static void onText(void* data, const XML_Char* text, int size) {
    Keeper& k = self(data);
    k.run_ += k.text(text, static_cast<std::size_t>(size));
  }
  static void onComment(void* data, const XML_Char*) { self(data).endText(); }
  static void onInstruction(void* data, const XML_Char*, const XML_Char*) { self(data).endText(); }
  static void onCdataStart(void* data) {
    Keeper& k = self(data);
    k.endText();
    k.inCdata_ = true;
  }
  static void onCdataEnd(void* data) {
    Keeper& k = self(data);
    k.endText();
    k.inCdata_ = false;
  }
  // Read as written, as a reference to an entity no one defined is.
  static void onSkippedEntity(void* data, const XML_Char* name, int parameter) {
    if (parameter == 0) self(data).run_ += "&" + self(data).text(name) + ";";
  }
  static void onEntity(void* data, const XML_Char*, int, const XML_Char*, int, const XML_Char*,
                       const XML_Char*, const XML_Char*, const XML_Char*) {
    self(data).fail("XML 文件声明了实体（<!ENTITY>），为安全起见不读取");
  }

  std::string_view bytes_;
  const KeepGround& keepGround_;
  KeptLandXml& kept_;
  Mode mode_ = Mode::Bytes;
  std::size_t skipped_ = 0;  // what comes before the document's element
  std::size_t prefix_ = 0;   // what was given to expat before the file
  std::ptrdiff_t nameShift_ = 1;
  XML_Parser parser_ = nullptr;
  std::vector<Frame> stack_;
  // The names of all elements open, for the message of a file cut short.
  std::string openNames_;
  std::vector<std::size_t> openStarts_;
  std::size_t skipping_ = 0;  // depth inside an element read past
  std::string run_;
  bool inCdata_ = false;
  bool rootClosed_ = false;
  std::size_t profileIndex_ = 0;
  std::optional<XmlProblem> problem_;
};

}  // namespace

std::ptrdiff_t KeptLandXml::offset(const pugi::xml_node& node) const {
  const auto found = offsets.find(node.internal_object());
  return found == offsets.end() ? -1 : found->second;
}

std::optional<XmlProblem> keepLandXml(std::string_view bytes, const KeepGround& keepGround,
                                      KeptLandXml& kept, const ReadProgress& progress) {
  Keeper keeper(bytes, keepGround, kept);
  return keeper.run(progress);
}

}  // namespace vcurve::profile
