#pragma once
// A screen reader's view of a window, through the system's accessibility
// calls alone: AccessibleObjectFromWindow and IAccessible. Knows nothing of
// the program's classes or messages.

#include <windows.h>
#include <oleacc.h>

#include <string>
#include <vector>

namespace accclient {

// One reference to an accessible object.
class Accessible {
public:
    Accessible() = default;
    explicit Accessible(IAccessible* object) : object_(object) {}  // takes the reference
    Accessible(const Accessible& other);
    Accessible& operator=(Accessible other);
    ~Accessible();

    explicit operator bool() const { return object_ != nullptr; }
    std::wstring Name() const;
    std::wstring Value() const;
    std::wstring DefaultAction() const;
    LONG Role() const;
    LONG State() const;  // -1 when the object does not answer
    RECT Location() const;
    HRESULT DoDefaultAction() const;
    std::vector<Accessible> Children() const;

private:
    IAccessible* object_ = nullptr;
};

// The window's client object; empty when the window answers none.
Accessible FromWindow(HWND window);
// The object and all below it, depth first.
std::vector<Accessible> Descendants(const Accessible& root);
// The first of the descendants with this role and name.
Accessible Find(const Accessible& root, LONG role, const std::wstring& name);

// Joins the calling thread to a single-threaded apartment for its scope.
class Apartment {
public:
    Apartment() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    ~Apartment() { CoUninitialize(); }
    Apartment(const Apartment&) = delete;
    Apartment& operator=(const Apartment&) = delete;
};

} // namespace accclient
