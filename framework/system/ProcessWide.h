#pragma once
// Storage for a process-wide object: built on first use, never destroyed.
// A function-local static of a class with a destructor has that destructor
// run by exit() on the exiting thread, while other threads (a mode change,
// a pipe transaction, a library's worker) may still be using the object;
// this storage is trivially destructible, so the object ends with the
// process instead, as every other thread does.
//
//     PowerGear& PowerGear::Instance()
//     {
//         static ProcessWide<PowerGear> gear(CreateImp());
//         return *gear;
//     }

#include <new>
#include <utility>

template <typename T>
class ProcessWide {
public:
    template <typename... Args>
    explicit ProcessWide(Args&&... args)
    {
        ::new (static_cast<void*>(storage_)) T(std::forward<Args>(args)...);
    }
    ProcessWide(const ProcessWide&) = delete;
    ProcessWide& operator=(const ProcessWide&) = delete;

    T& operator*() { return *std::launder(reinterpret_cast<T*>(storage_)); }
    T* operator->() { return &**this; }

private:
    alignas(T) unsigned char storage_[sizeof(T)];
};
