#pragma once
// A stored form layout that cannot be applied: the message names the layout
// resource and the line, e.g. "TMAINFORM line 12: unknown property 'Lft' of TImage".
// When a picture file of the layout was missing or unreadable, File() names it.

#include <stdexcept>
#include <string>

class ELayoutError : public std::runtime_error {
public:
    ELayoutError(const std::string& resource, int line, const std::string& message, const std::string& file = {})
        : std::runtime_error(resource + " line " + std::to_string(line) + ": " + message),
          m_resource(resource), m_line(line), m_file(file) {}
    const std::string& Resource() const { return m_resource; }
    int Line() const { return m_line; }
    const std::string& File() const { return m_file; }

private:
    std::string m_resource;
    int m_line;
    std::string m_file;
};
