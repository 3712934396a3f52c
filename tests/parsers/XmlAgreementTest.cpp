// Where libxml2 and our parser both accept a document they must build the
// same tree. libxml2's tree is read the way our dialect reads a document:
// an element's text is its text before the first other node, or a CDATA
// section there, trimmed; namespace declarations count as attributes.
#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include "parsers/StringHelpers.h"
#include "parsers/XmlParser.h"
#include "XmlDump.h"

namespace kroma {
namespace {

std::string Str(const xmlChar* s) { return s ? reinterpret_cast<const char*>(s) : ""; }

std::string QualifiedName(const xmlChar* name, const xmlNs* ns) {
  return (ns && ns->prefix ? Str(ns->prefix) + ":" : "") + Str(name);
}

// Copies a libxml2 element into our tree type, so both print alike.
void CopyElement(const xmlNode* from, TXmlNode& to) {
  for (const xmlNs* ns = from->nsDef; ns; ns = ns->next)
    to.AddAttribute(ns->prefix ? "xmlns:" + Str(ns->prefix) : "xmlns", Str(ns->href));
  for (const xmlAttr* a = from->properties; a; a = a->next) {
    xmlChar* value = xmlNodeListGetString(from->doc, a->children, 1);
    to.AddAttribute(QualifiedName(a->name, a->ns), Str(value));
    xmlFree(value);
  }
  std::string text;
  const xmlNode* child = from->children;
  for (; child && child->type == XML_TEXT_NODE; child = child->next) text += Str(child->content);
  if (child && child->type == XML_CDATA_SECTION_NODE) text = Str(child->content);
  to.NodeText = std::string(TrimBlanks(text));
  to.NeedsCData = to.NodeText.find_first_of("<>") != std::string::npos;
  for (child = from->children; child; child = child->next)
    if (child->type == XML_ELEMENT_NODE) CopyElement(child, to.AddChild(QualifiedName(child->name, child->ns)));
}

// The tree libxml2 reads, or "rejected".
std::string ReferenceTree(const std::string& doc) {
  xmlDocPtr d = xmlReadMemory(doc.data(), static_cast<int>(doc.size()), "doc.xml", nullptr,
                              XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
  if (!d) return "rejected";
  const xmlNode* root = xmlDocGetRootElement(d);
  TXmlNode tree;
  tree.NodeName = QualifiedName(root->name, root->ns);
  CopyElement(root, tree);
  xmlFreeDoc(d);
  return DumpXml(tree);
}

TEST(XmlAgreement, SameTreeAsLibxml2) {
  const char* documents[] = {
      "<a/>",
      "<a x='1' y=\"2\"/>",
      "<a >text</a>",
      "<a>  spaced\ttext \r\n</a>",
      "<a><b/><c></c><b>t</b></a>",
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<a>\n  <b k=\"v\"/>\n</a>\n",
      "<?xml version='1.0'?><a/><!-- after the root -->",
      "<!-- before --><a><!-- in --><b/><!-- between --><c/></a>",
      "<a><![CDATA[x < y && z]]></a>",
      "<a><![CDATA[ <b>not markup</b> ]]><c/></a>",
      "<a v=\"&lt;&gt;&amp;&apos;&quot;\" w='\"' x=\"'\"/>",
      "<a v=\"&amp;lt;\" w=\"&amp;amp;\"/>",
      "<a v=\"\"/>",
      "<a v=\"a&gt;b\">x > y</a>",
      "<a>first<b/></a>",
      "<a><b><c><d><e>deep</e></d></c></b></a>",
      "<a x=\"1\"\n   y=\"2\"\n/>",
      "<svg:svg xmlns:svg=\"http://www.w3.org/2000/svg\"><svg:rect x=\"1\"/><svg:g><svg:circle r=\"2\"/></svg:g></svg:svg>",
      "<a xmlns=\"urn:x\" xmlns:p=\"urn:p\" p:k=\"v\"><p:b/></a>",
      "<a>\xC3\xA9t\xC3\xA9</a>",
      "<a-b.c_d e-f=\"1\"/>",
  };
  for (const char* doc : documents) {
    std::string reference = ReferenceTree(doc);
    ASSERT_NE(reference, "rejected") << doc;
    TXmlParser ours;
    ours.SetXmlText(doc);
    EXPECT_EQ(ours.LastError(), "") << doc;
    EXPECT_EQ(DumpXml(ours), reference) << doc;
  }
}

// Where the dialect reads a document that libxml2 also accepts in its own
// way: references in text and numeric references in values are kept as
// written, and blanks in attribute values are not normalised.
TEST(XmlAgreement, DialectDifferencesAreTheDocumentedOnes) {
  struct Case {
    const char* doc;
    const char* ours;
  } cases[] = {
      {"<a>x &amp; y</a>", "a\"x &amp; y\""},
      {"<a v=\"&#65;\"/>", "a[v=&#65;]"},
      {"<a v=\"1\n2\"/>", "a[v=1\n2]"},
  };
  for (const Case& c : cases) {
    std::string reference = ReferenceTree(c.doc);
    TXmlParser ours;
    ours.SetXmlText(c.doc);
    EXPECT_EQ(DumpXml(ours), c.ours) << c.doc;
    EXPECT_NE(reference, "rejected") << c.doc;
    EXPECT_NE(reference, c.ours) << c.doc;
  }
}

}  // namespace
}  // namespace kroma
