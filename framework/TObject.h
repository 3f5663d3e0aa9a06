#pragma once
// Common root of the framework's classes. Event handlers receive their
// sender as a TObject pointer.

#include <functional>
#include <string>

class TObject {
public:
    TObject() = default;
    virtual ~TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;

    // The dynamic class name without namespaces, e.g. "TMainForm". Forms
    // register their window class under this name.
    std::string ClassName() const;
};

using TNotifyEvent = std::function<void(TObject* sender)>;
