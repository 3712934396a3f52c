// Side-by-side XML parsing: the same file read into memory, then parsed
// once into a tree by the chosen parser. Run each mode as its own process
// under a timer that reports wall time and peak memory, e.g.
//   /usr/bin/time -v xml_bench kroma doc.xml
//   xml_bench generate doc.xml 10     (a 10 MB drawing document)
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <pugixml.hpp>
#include <sstream>
#include <string>

#include "parsers/XmlParser.h"

namespace {

std::string ReadAll(const char* path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// A drawing in the dialect that is also well-formed XML: shapes, styled
// text, CDATA, comments and symbols, repeated to about `megabytes` MB.
void Generate(const char* path, int megabytes) {
  std::ofstream out(path, std::ios::binary);
  out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg:svg xmlns:svg=\"http://www.w3.org/2000/svg\">\n";
  std::size_t written = 0, target = static_cast<std::size_t>(megabytes) << 20;
  for (int i = 0; written < target; ++i) {
    std::ostringstream s;
    s << "  <!-- group " << i << " -->\n"
      << "  <svg:symbol id=\"s" << i << "\">\n"
      << "    <svg:rect x=\"" << i % 640 << "\" y=\"" << i % 480 << "\" width=\"30\" height=\"40\" rx=\"3\" ry=\"3\""
      << " style=\"fill:#ff8000;fill-style:solid;stroke:#000000;stroke-width:2\"/>\n"
      << "    <svg:circle cx=\"{" << i % 100 << " * 2}\" cy=\"50\" r=\"12\" style=\"stroke:#0000ff\"/>\n"
      << "    <svg:polyline points=\"10,10 20,20 30,10 40,20 50,10\" style=\"stroke-width:1\"/>\n"
      << "    <svg:text x=\"5\" y=\"7\" style=\"font-family:Arial;font-size:12;font-style:bold\">Label &amp; "
      << i << "</svg:text>\n"
      << "    <svg:text x=\"5\" y=\"27\"><![CDATA[a < b > c]]></svg:text>\n"
      << "  </svg:symbol>\n"
      << "  <svg:use symbol=\"s" << i << "\" x=\"10\" y=\"10\" dx=\"20\" dy=\"0\" repeat=\"3\"/>\n";
    out << s.str();
    written += s.str().size();
  }
  out << "</svg:svg>\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 3 && std::string(argv[1]) == "generate") {
    Generate(argv[2], argc >= 4 ? std::atoi(argv[3]) : 10);
    return 0;
  }
  if (argc != 3) {
    std::fprintf(stderr, "usage: xml_bench read|kroma|pugixml|libxml2 FILE | generate FILE [MB]\n");
    return 2;
  }
  std::string mode = argv[1];
  std::string text = ReadAll(argv[2]);
  if (mode == "read") {  // the baseline: reading the file only
    std::printf("%zu\n", text.size());
  } else if (mode == "kroma") {
    kroma::TXmlParser p;
    p.SetXmlText(text);
    if (!p.LastError().empty()) return 1;
    std::printf("%d\n", p.ChildCount());
  } else if (mode == "pugixml") {
    pugi::xml_document doc;
    if (!doc.load_buffer(text.data(), text.size())) return 1;
    std::printf("%d\n", static_cast<int>(std::distance(doc.document_element().begin(), doc.document_element().end())));
  } else if (mode == "libxml2") {
    xmlDocPtr doc = xmlReadMemory(text.data(), static_cast<int>(text.size()), "doc.xml", nullptr, XML_PARSE_NONET);
    if (!doc) return 1;
    std::printf("%lu\n", xmlChildElementCount(xmlDocGetRootElement(doc)));
    xmlFreeDoc(doc);
  } else {
    return 2;
  }
  return 0;
}
