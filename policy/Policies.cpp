#include "policy/Policies.h"

#include "framework/system/ExclusiveLock.h"
#include "framework/system/ProcessWide.h"
#include "framework/system/Trace.h"
#include "policy/PolicyReader.h"

#include <algorithm>
#include <vector>

namespace policy {
namespace {

struct Store {
    SRWLOCK lock = SRWLOCK_INIT;
    bool read = false;
    PolicySet set;
    std::vector<PolicyListener*> listeners;  // main thread only
};

Store& TheStore()
{
    static ProcessWide<Store> store;
    return *store;
}

void TraceInForce(const PolicySet& set)
{
    if (set.Empty()) {
        Trace("~~~[Policy] none in force");
        return;
    }
    for (const PolicyInForce& entry : PoliciesInForce(set))
        Trace("~~~[Policy] %s = %s", entry.name.c_str(), entry.value.c_str());
}

} // namespace

PolicySet CurrentPolicies()
{
    Store& store = TheStore();
    ExclusiveLock hold(store.lock);
    if (!store.read) {
        store.set = ReadPolicies();
        store.read = true;
        TraceInForce(store.set);
    }
    return store.set;
}

void PlugPolicyListener(PolicyListener* listener)
{
    std::vector<PolicyListener*>& listeners = TheStore().listeners;
    if (listener && std::find(listeners.begin(), listeners.end(), listener) == listeners.end())
        listeners.push_back(listener);
}

void UnplugPolicyListener(PolicyListener* listener)
{
    std::vector<PolicyListener*>& listeners = TheStore().listeners;
    listeners.erase(std::remove(listeners.begin(), listeners.end(), listener), listeners.end());
}

bool RefreshPolicies()
{
    Store& store = TheStore();
    PolicySet now = ReadPolicies();
    {
        ExclusiveLock hold(store.lock);
        if (store.read && now == store.set)
            return false;
        store.set = now;
        store.read = true;
    }
    TraceInForce(now);
    // A copy: a listener may unplug itself or another while told.
    const std::vector<PolicyListener*> listeners = store.listeners;
    for (PolicyListener* listener : listeners)
        listener->PoliciesChanged(now);
    return true;
}

} // namespace policy
