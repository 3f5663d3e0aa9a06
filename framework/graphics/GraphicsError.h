#pragma once
// Errors raised by the graphics classes to their callers.

#include <stdexcept>
#include <string>

// A file could not be opened for reading.
class EFOpenError : public std::runtime_error {
public:
    explicit EFOpenError(const std::string& fileName)
        : std::runtime_error("Cannot open file \"" + fileName + "\"") {}
};

// Image data that cannot be decoded or a GDI object that cannot be created.
class EInvalidGraphic : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A picture file that is missing or cannot be read as a picture.
class EPictureError : public std::runtime_error {
public:
    EPictureError(const std::string& path, const std::string& reason)
        : std::runtime_error(reason), m_path(path) {}
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};
