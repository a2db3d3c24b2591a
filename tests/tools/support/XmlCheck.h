#pragma once
// A small XML reader for checking the SVG pictures: it accepts well-formed documents of plain
// elements, attributes, text, comments and the XML declaration, and refuses anything else.

#include <map>
#include <string>
#include <vector>

namespace clitest {

struct XmlElement {
    std::string Name;
    std::map<std::string, std::string> Attributes;
    std::string Text; // the character data directly inside, entities resolved
    std::vector<XmlElement> Children;
};

struct XmlDocument {
    bool WellFormed = false;
    std::string Error; // where and why, when not well-formed
    XmlElement Root;
};

XmlDocument ParseXml(const std::string& text);

/// Every element below (and including) the root, depth first in document order.
std::vector<const XmlElement*> AllElements(const XmlElement& root);

/// How many elements carry this class attribute.
std::size_t CountClass(const XmlElement& root, const std::string& cls);

} // namespace clitest
