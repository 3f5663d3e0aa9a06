#include "engine/IdleWatcher.h"

#include "framework/system/ProcessWide.h"
#include "framework/system/Trace.h"

namespace {

DWORD SystemTick()
{
    return GetTickCount();
}

bool SystemLastInput(DWORD* tick)
{
    LASTINPUTINFO info{};
    info.cbSize = sizeof info;
    if (!GetLastInputInfo(&info))
        return false;
    *tick = info.dwTime;
    return true;
}

} // namespace

IdleWatcher& IdleWatcher::Instance()
{
    static ProcessWide<IdleWatcher> watcher(&SystemTick, &SystemLastInput);
    return *watcher;
}

IdleWatcher::IdleWatcher(TickSource tick, LastInputSource lastInput)
    : tick_(tick), lastInput_(lastInput), lastInputTick_(tick())
{
}

void IdleWatcher::Restart()
{
    std::lock_guard<std::mutex> guard(lock_);
    fired_ = false;
    lastInputTick_ = tick_();
}

void IdleWatcher::Suspend()
{
    std::lock_guard<std::mutex> guard(lock_);
    suspended_ = true;
}

void IdleWatcher::Resume()
{
    {
        std::lock_guard<std::mutex> guard(lock_);
        suspended_ = false;
    }
    Restart();
}

void IdleWatcher::SetEnabled(bool enabled)
{
    std::lock_guard<std::mutex> guard(lock_);
    fired_ = false;
    enabled_ = enabled;
}

void IdleWatcher::SetTimeout(DWORD timeoutMs)
{
    std::lock_guard<std::mutex> guard(lock_);
    fired_ = false;
    timeoutMs_ = timeoutMs;
}

bool IdleWatcher::IsEnabled() const
{
    std::lock_guard<std::mutex> guard(lock_);
    return enabled_;
}

DWORD IdleWatcher::Timeout() const
{
    std::lock_guard<std::mutex> guard(lock_);
    return timeoutMs_;
}

bool IdleWatcher::Poll()
{
    std::lock_guard<std::mutex> guard(lock_);
    if (!enabled_ || suspended_)
        return false;
    DWORD reported = 0;
    if (!lastInput_(&reported))
        return false;
    // Only newer input moves the mark; a restart may lie after the last
    // real input. Ticks wrap after 49.7 days, so compare the difference.
    if (LONG(reported - lastInputTick_) >= 0)
        lastInputTick_ = reported;
    const DWORD now = tick_();
    Trace("Current Time %d, Last Input Time %d, Idle Time %d", int(now), int(lastInputTick_), int(timeoutMs_));
    const DWORD idle = now - lastInputTick_;
    if (idle > timeoutMs_) {
        if (fired_)
            return false;
        fired_ = true;
        return true;
    }
    fired_ = false;
    return false;
}
