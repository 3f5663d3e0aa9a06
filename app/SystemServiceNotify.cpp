#include "app/SystemServiceNotify.h"

#include "app/SingleInstance.h"

#include <string>

namespace {
// The service knows the client by the instance name as a wide string.
const std::wstring& ClientId()
{
    static const std::wstring id(kInstanceName, kInstanceName + std::char_traits<char>::length(kInstanceName));
    return id;
}
} // namespace

bool RegisterServiceNotify(HWND window)
{
    return VtSysSvr_RegisterNotify(window, ClientId().c_str()) != FALSE;
}

void UnregisterServiceNotify(HWND window)
{
    VtSysSvr_UnregisterNotify(window, ClientId().c_str());
}
