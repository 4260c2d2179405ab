// The one-pass reader on what the design suites export around a profile:
// TIN surfaces and plan geometry read past, files cut short told where, and
// bytes, encodings and entities as the file has them.

#include <gtest/gtest.h>

#include <cstring>

#include "profile/landxml.h"

namespace vcurve::profile {
namespace {

const std::string kTin =
    R"(<Surfaces><Surface name="TIN"><Definition surfType="TIN"><Pnts><P id="1">1 2 3</P><P id="2">4 5 6</P></Pnts><Faces><F>1 2 1</F></Faces></Definition></Surface></Surfaces>)";

// Two alignments, each a profile with its ground line; the TIN and plan
// geometry where a suite puts them.
std::string exportFile(const std::string& tin) {
  return R"(<?xml version="1.0"?>
<LandXML version="1.2">
  )" + tin +
         R"(
  <Alignments><Alignment name="主线">
    <CoordGeom><Line><Start>0 0</Start><End>0 500</End></Line></CoordGeom>
    <Profile name="纵断面"><ProfSurf name="g"><PntList2D>0 99 500 104</PntList2D></ProfSurf>
      <ProfAlign name="设计线"><PVI>0 100</PVI><PVI>500 105</PVI></ProfAlign></Profile>
  </Alignment><Alignment name="匝道">
    <Profile name="匝道纵断面"><ProfSurf name="g"><PntList2D>0 49 300 52</PntList2D></ProfSurf>
      <ProfAlign name="方案二"><PVI>0 50</PVI><CircCurve radius="3000">150 53</CircCurve><PVI>300 51</PVI></ProfAlign></Profile>
  </Alignment></Alignments>
</LandXML>
)";
}

TEST(LandXmlStream, WhatSurroundsTheProfilesChangesNothing) {
  const std::string plain = exportFile("");
  const std::string suite = exportFile(kTin);
  LandXmlFile once(suite, "s.xml");
  ASSERT_FALSE(once.error());
  EXPECT_EQ(once.names(), (std::vector<std::string>{"设计线", "方案二"}));
  EXPECT_EQ(landXmlProfileNames(suite, "s.xml").value, once.names());
  for (const std::string name : {"设计线", "方案二", "匝道", "纵断面"}) {
    const auto alone = readLandXml(plain, "p.xml", name);
    ASSERT_TRUE(alone.ok()) << name;
    for (const auto& read : {readLandXml(suite, "s.xml", name), once.read(name)}) {
      ASSERT_TRUE(read.ok()) << name << ": " << read.error->message();
      EXPECT_EQ(read.value.name, alone.value.name);
      EXPECT_EQ(read.value.points, alone.value.points);
      EXPECT_EQ(read.value.ground, alone.value.ground) << name;
    }
  }
  EXPECT_EQ(once.read().error->problem, readLandXml(suite, "s.xml").error->problem);
}

// Where a file cut short is refused: as it always was, the place counted
// in characters on the line.
TEST(LandXmlStream, FilesCutShortSayWhere) {
  const struct {
    const char* cutAfter;
    std::size_t line, column;
    const char* problem;
  } cases[] = {
      {"<P id=\"1\">1 2", 3, 31, "开始和结束标签不配对"},
      {"<P id", 3, 24, "属性写法有误"},
      {"<P id=\"1", 3, 26, "属性写法有误"},
      {"</Pnts", 3, 43, "结束标签有误"},
      {"</Pn", 3, 40, "开始和结束标签不配对"},
      {"<Alignment name=\"主线\">", 4, 35, "开始和结束标签不配对"},
      {"<PVI>0 100<", 7, 39, "开始和结束标签不配对"},
      {"<?xml", 1, 5, "XML 格式错误"},
      {"<?xml version=\"1.0\"?>\n", 2, 1, "不是 XML 文件（没有任何元素）"},
  };
  const std::string whole = exportFile(R"(<Surfaces><Pnts><P id="1">1 2 3</P></Pnts></Surfaces>)");
  for (const auto& c : cases) {
    const std::string cut = whole.substr(0, whole.find(c.cutAfter) + std::strlen(c.cutAfter));
    const auto read = readLandXml(cut, "cut.xml");
    ASSERT_FALSE(read.ok()) << c.cutAfter;
    EXPECT_EQ(std::pair(read.error->line, read.error->column), std::pair(c.line, c.column))
        << c.cutAfter << ": " << read.error->message();
    EXPECT_NE(read.error->problem.find(c.problem), std::string::npos) << read.error->message();
  }
}

TEST(LandXmlStream, BytesEncodingsAndEntitiesAsTheFileHasThem) {
  const std::string base = exportFile("");
  const auto replaced = [&](const std::string& from, const std::string& to) {
    std::string text = base;
    return text.replace(text.find(from), from.size(), to);
  };
  const std::string declaration = "<?xml version=\"1.0\"?>";
  std::string utf16;
  for (const char c : replaced("设计线", "Main")) utf16 += std::string{c, '\0'};
  const struct {
    const char* what;
    std::string file;
    const char* name;  // the first profile's
  } cases[] = {
      // GBK bytes are no UTF-8: kept, and shown as '?'.
      {"GBK", replaced("设计线", "\xC9\xE8\xBC\xC6"), "????"},
      {"ISO-8859-1",
       replaced("设计线", "D\xE9")
           .replace(0, declaration.size(), R"(<?xml version="1.0" encoding="ISO-8859-1"?>)"),
       "D\xC3\xA9"},
      {"UTF-16 without a byte-order mark", utf16, "Main"},
      {"a declaration a fuzzer bent", replaced(declaration, "<?xmlSt5ctypeI=\"1.0\"?>"), "设计线"},
      {"entities declared",
       replaced(declaration, "<!DOCTYPE l [<!ENTITY a \"ha\"><!ENTITY b \"&a;&a;&a;&a;\">]>"),
       "设计线"},
      {"an external entity",
       replaced("设计线", "&x;").insert(0, "<!DOCTYPE l [<!ENTITY x SYSTEM \"/etc/passwd\">]>"),
       "纵断面"},
  };
  for (const auto& c : cases) {
    const auto names = landXmlProfileNames(c.file, "e.xml");
    ASSERT_TRUE(names.ok()) << c.what << ": " << names.error->message();
    EXPECT_EQ(names.value.front(), c.name) << c.what;
  }
  // A reference in the text is kept as written, never expanded.
  const auto literal =
      readLandXml(replaced("0 100", "&a;").insert(0, "<!DOCTYPE l [<!ENTITY a \"0 100\">]>"),
                  "e.xml", "设计线");
  ASSERT_FALSE(literal.ok());
  EXPECT_NE(literal.error->problem.find("“&a;”"), std::string::npos) << literal.error->message();
}

}  // namespace
}  // namespace vcurve::profile
