#include <gtest/gtest.h>

#include <fstream>

#include "core/Error.h"
#include "parsers/XmlParser.h"
#include "XmlDump.h"

namespace kroma {
namespace {

std::string Parse(TXmlParser& p, std::string_view text) {
  p.SetXmlText(text);
  return DumpXml(p);
}

// The message of a failed parse, without the excerpt and partial tree.
std::string ErrorMessage(const TXmlParser& p) { return p.LastError().substr(0, p.LastError().find(" near ")); }

TEST(XmlParser, ReadsTheDialect) {
  struct Case {
    const char* source;
    const char* tree;
  } cases[] = {
      {"<a x='1' y=\"2\"/>", "a[x=1 y=2]"},
      {"<a>one<b/>two</a>", "a\"one\"(b)"},  // only the text before the first child
      {"<a><![CDATA[x<y]]></a>", "a!\"x<y\""},
      {"<a>x<![CDATA[ y ]]></a>", "a\"y\""},  // a CDATA section replaces the text before it
      {"<a><b>t>u</b></a>", "a(b!\"t>u\")"},
      {"<a v=\"&amp;quot;\" w=\"a&lt;b&gt;&apos;&quot;\"/>", "a[v=&quot; w=a<b>'\"]"},
      {"<a>&amp; &#65;</a>", "a\"&amp; &#65;\""},  // text keeps entity references
      {"<a x=\"1\"y=\"2\" z=\"&#65;\"/>", "a[x=1 y=2 z=&#65;]"},
      {"<a\tx=\"1\"\n/>", "a[x=1]"},
      {"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- note -->\n<svg:svg>\n  <svg:rect x=\"1\"\n    y=\"2\"/>\n"
       "  <!-- inner -->\n  <svg:text>  Hello \t </svg:text>\n</svg:svg>\n<after/> trailing <junk",
       "svg:svg(svg:rect[x=1 y=2] svg:text\"Hello\")"},
  };
  for (const Case& c : cases) {
    TXmlParser p;
    EXPECT_EQ(Parse(p, c.source), c.tree) << c.source;
    EXPECT_EQ(p.LastError(), "") << c.source;
  }
}

TEST(XmlParser, KeepsNamespacePrefixAndDeclaration) {
  TXmlParser p;
  p.SetXmlText("<?xml version=\"1.0\" encoding=\"UTF-8\"?><svg:g><svg:rect/><plain/></svg:g>");
  EXPECT_EQ(p.NameSpace, "svg");
  EXPECT_EQ(p.Child(0)->NameSpace, "svg");
  EXPECT_EQ(p.Child(1)->NameSpace, "");
  EXPECT_EQ(p.Child(0)->ParentNode(), &p);
  EXPECT_EQ(p.Declaration().GetAttribute("encoding"), Variant("UTF-8"));
}

TEST(XmlParser, ErrorsNameTheFault) {
  struct Case {
    const char* source;
    const char* message;
  } cases[] = {
      {"<a x = \"1\"/>", "missing value delimiter when parsing attributes"},
      {"<a x=1/>", "missing value delimiter when parsing attributes"},
      {"<a><b>t</b></d>", "Opening and closing tags don't match a d"},
      {"<a><b></a>", "Opening and closing tags don't match b a"},
      {"<!DOCTYPE svg>\n<svg/>", "missing = when parsing attributes"},  // the doctype reads as a start tag
      {"", "Missing <"},
      {"just text", "Missing <"},
      {"<a><b/>", "Missing <"},
      {"<a><!-- x</a>", "Missing comment terminator -->"},
      {"<a x=\"1\"", "Missing >"},
      {"<a x=\"1>2\"/>", "Expected closing \" when parsing attributes"},  // the tag ends at the first ">"
      {"<a x='1/>", "Expected closing ' when parsing attributes"},
      {"<a>text", "Expected < when parsing text"},
      {"<a><![CDATA[x</a>", "Expected ]]> when parsing CDATA section"},
  };
  for (const Case& c : cases) {
    TXmlParser p;
    p.SetXmlText(c.source);
    EXPECT_EQ(ErrorMessage(p), c.message) << c.source;
  }
  TXmlParser p;
  p.SetXmlText("<?xml version=\"1.0\"<a/>");
  EXPECT_EQ(p.LastError(), "Missing ?> in xml declaration.");
}

TEST(XmlParser, ErrorTextHasExcerptPositionAndPartialTree) {
  const std::string decl = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?>\r\n";
  TXmlParser p;
  p.SetXmlText("<a><b x=\"1\"/><c></d></a>");
  EXPECT_EQ(p.LastError(), "Opening and closing tags don't match c d near <a><b x=\"1\"/><c></d></a>\r\n"
                           "Error position=17\r\n" + decl + "<a>\r\n  <b x=\"1\"/>\r\n  <c/>\r\n</a>");
  EXPECT_EQ(DumpXml(p), "a(b[x=1] c)");  // the tree keeps what was read

  // The excerpt starts 20 characters before the position.
  p.SetXmlText(std::string(30, ' ') + "<a x = \"1\"/>");
  EXPECT_EQ(p.LastError(), "missing value delimiter when parsing attributes near " + std::string(8, ' ') +
                               "<a x = \"1\"/>\r\nError position=43\r\n" + decl + "<a/>");
}

TEST(XmlParser, WritesIndentedTextThatReadsBack) {
  TXmlParser p;
  p.SetXmlText(
      "<?xml version=\"1.1\" encoding=\"UTF-8\"?><r k=\"a&lt;b &amp; &quot;q&quot;\">top<c><![CDATA[x<y]]></c>"
      "<d><f/></d><e>t</e></r>");
  const std::string text = p.XmlText();
  EXPECT_EQ(text,
            "<?xml version=\"1.1\" encoding=\"UTF-8\" ?>\r\n"
            "<r k=\"a&lt;b &amp; &quot;q&quot;\">top\r\n"
            "  <c><![CDATA[x<y]]></c>\r\n"
            "  <d>\r\n"
            "    <f/>\r\n"
            "  </d>\r\n"
            "  <e>t</e>\r\n"
            "</r>");
  TXmlParser again;
  again.SetXmlText(text);
  EXPECT_EQ(again.LastError(), "");
  EXPECT_EQ(DumpXml(again), DumpXml(p));
  EXPECT_EQ(again.XmlText(), text);

  // Text holding "]]>" is written outside CDATA, so it still reads back.
  p.SetXmlText("<a>x]]>y<b/></a>");
  again.SetXmlText(p.XmlText());
  EXPECT_EQ(DumpXml(again), "a!\"x]]>y\"(b)");

  p.SetXmlText("<a/>");  // a new parse replaces tree and declaration
  EXPECT_EQ(p.XmlText(), "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?>\r\n<a/>");
}

TEST(XmlParser, AttributesByIndexOrName) {
  TXmlParser p;
  p.SetXmlText("<a x=\"1\" y=\"2\" x=\"3\"/>");
  EXPECT_EQ(p.GetAttribute(0), Variant("1"));
  EXPECT_EQ(p.GetAttribute(2), Variant("3"));
  EXPECT_EQ(p.GetAttribute("x"), Variant("1"));  // the first of that name
  for (const Variant& missing : {Variant(3), Variant(-1), Variant("X"), Variant(1.0), Variant()})
    EXPECT_TRUE(p.GetAttribute(missing).IsEmpty()) << missing;
}

TEST(XmlParser, FindNodeByIdSearchesDepthFirst) {
  TXmlParser p;
  p.SetXmlText("<r><a id=\"x\"><b id=\"y\"/></a><c id=\"y\"/><d/></r>");
  EXPECT_EQ(p.FindNodeById("y", false), p.Child(1));
  EXPECT_EQ(p.FindNodeById("y", true), p.Child(0)->Child(0));
  EXPECT_EQ(p.FindNodeById("", true), nullptr);  // no id is not an empty id
  EXPECT_EQ(p.FindNodeById("z", true), nullptr);
  EXPECT_EQ(p.Child(3), nullptr);
}

TEST(XmlParser, DeepNestingIsRefusedWithoutExhaustingTheStack) {
  std::string doc;
  for (int i = 0; i < 100000; ++i) doc += "<a>";
  TXmlParser p;
  p.SetXmlText(doc);
  EXPECT_EQ(ErrorMessage(p), "Elements nested more than 1000 levels deep");
  int depth = 0;
  for (const TXmlNode* n = &p; n; n = n->Child(0)) ++depth;
  EXPECT_EQ(depth, TXmlParser::kMaxDepth);
}

TEST(XmlParser, DeepTreesAreSearchedAndFreedIteratively) {
  auto p = std::make_unique<TXmlParser>();
  TXmlNode* n = p.get();
  for (int i = 0; i < 100000; ++i) n = &n->AddChild("a");
  n->AddAttribute("id", "deep");
  EXPECT_EQ(p->FindNodeById("deep", true), n);
  EXPECT_THROW(p->XmlText(), Error);
  p.reset();  // frees 100000 levels
}

TEST(XmlParser, LoadsFiles) {
  TXmlParser p;
  EXPECT_THROW(p.LoadFromFile(testing::TempDir() + "no-such-file.xml"), Error);
  std::string path = testing::TempDir() + "kroma-load.xml";
  std::ofstream(path, std::ios::binary) << "<a x=\"1\"><b>t</b></a>";
  p.LoadFromFile(path);
  EXPECT_EQ(DumpXml(p), "a[x=1](b\"t\")");
}

}  // namespace
}  // namespace kroma
