#pragma once
// A stored form layout that cannot be applied: the message names the layout
// resource and the line, e.g. "TMAINFORM line 12: unknown property 'Lft' of TImage".

#include <stdexcept>
#include <string>

class ELayoutError : public std::runtime_error {
public:
    ELayoutError(const std::string& resource, int line, const std::string& message)
        : std::runtime_error(resource + " line " + std::to_string(line) + ": " + message), m_resource(resource), m_line(line) {}
    const std::string& Resource() const { return m_resource; }
    int Line() const { return m_line; }

private:
    std::string m_resource;
    int m_line;
};
