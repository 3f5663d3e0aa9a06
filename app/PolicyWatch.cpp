#include "app/PolicyWatch.h"

#include "framework/TApplication.h"
#include "framework/system/LateFunction.h"
#include "framework/system/Trace.h"

#include <cstring>

namespace {

using RegisterGPNotificationFunction = BOOL WINAPI(HANDLE event, BOOL machine);
using UnregisterGPNotificationFunction = BOOL WINAPI(HANDLE event);

constexpr char kPolicyArea[] = "Policy";

} // namespace

bool NamesPolicyArea(const char* area)
{
    // Compared up to one character past the name: "Policy" and nothing longer.
    return area && strncasecmp(area, kPolicyArea, sizeof kPolicyArea) == 0;
}

PolicyWatch::PolicyWatch(std::function<void()> refreshed) : refreshed_(std::move(refreshed))
{
    machine_.machine = true;
}

PolicyWatch::~PolicyWatch()
{
    auto* unregister = LateFunction<UnregisterGPNotificationFunction>("userenv.dll", "UnregisterGPNotification");
    for (Registration* registration : {&machine_, &user_}) {
        if (registration->watch)
            Application().UnwatchHandle(registration->watch);
        if (registration->registered && unregister)
            unregister(registration->event);
        if (registration->event)
            CloseHandle(registration->event);
    }
}

void PolicyWatch::Start()
{
    if (started_)
        return;
    started_ = true;
    Register(machine_);
    Register(user_);
}

void PolicyWatch::Register(Registration& registration)
{
    auto* registerNotification =
        LateFunction<RegisterGPNotificationFunction>("userenv.dll", "RegisterGPNotification");
    if (!registerNotification)
        return;
    registration.event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (!registration.event)
        return;
    registration.registered = registerNotification(registration.event, registration.machine) != FALSE;
    if (!registration.registered) {
        Trace("~~~[Policy] no %s policy events (error %lu); the broadcast still tells",
              registration.machine ? "machine" : "user", GetLastError());
        CloseHandle(registration.event);
        registration.event = nullptr;
        return;
    }
    registration.watch = Application().WatchHandle(registration.event, [this] { refreshed_(); });
}

bool PolicyWatch::OnSettingChange(LPARAM lParam)
{
    if (!NamesPolicyArea(reinterpret_cast<const char*>(lParam)))
        return false;
    refreshed_();
    return true;
}
