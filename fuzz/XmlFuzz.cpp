// Feeds arbitrary bytes to the XML parser. Besides memory errors it checks
// that a document read without error is written as text that reads back
// to the same tree.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "parsers/XmlParser.h"

namespace {

using kroma::TXmlNode;

// Compares two trees without recursion.
bool SameTree(const TXmlNode& a, const TXmlNode& b) {
  std::vector<std::pair<const TXmlNode*, const TXmlNode*>> work{{&a, &b}};
  while (!work.empty()) {
    auto [x, y] = work.back();
    work.pop_back();
    if (x->NodeName != y->NodeName || x->NodeText != y->NodeText || x->NeedsCData != y->NeedsCData ||
        x->ChildCount() != y->ChildCount() || x->Attributes().size() != y->Attributes().size())
      return false;
    for (std::size_t i = 0; i < x->Attributes().size(); ++i)
      if (x->Attributes()[i].Name != y->Attributes()[i].Name || !(x->Attributes()[i].Value == y->Attributes()[i].Value))
        return false;
    for (int i = 0; i < x->ChildCount(); ++i) work.push_back({x->Child(i), y->Child(i)});
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  kroma::TXmlParser first;
  first.SetXmlText(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!first.LastError().empty()) return 0;
  kroma::TXmlParser second;
  second.SetXmlText(first.XmlText());
  if (!second.LastError().empty() || !SameTree(first, second)) std::abort();
  return 0;
}
