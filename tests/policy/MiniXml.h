#pragma once
// Just enough XML for the administrative templates: elements, attributes,
// text and the five predefined entities; no DTD, CDATA or namespaces
// beyond keeping prefixed names as written. Malformed input throws.

#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace minixml {

struct Element {
    std::string name;
    std::map<std::string, std::string> attributes;
    std::vector<std::unique_ptr<Element>> children;
    std::string text;  // the character data directly inside, entities resolved

    // The attribute's value, "" when absent.
    std::string Attribute(const std::string& key) const;
    // The first child of that name, nullptr when none.
    const Element* Child(const std::string& childName) const;
    std::vector<const Element*> Children(const std::string& childName) const;
    // Every element below, depth first, this one included.
    void Walk(const std::function<void(const Element&)>& visit) const;
};

struct ParseError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

std::unique_ptr<Element> Parse(const std::string& document);

} // namespace minixml
