#pragma once
// The policies in force for the whole process: read on first use, read
// again when the system says that policy has refreshed (RefreshPolicies).
// Whoever obeys a policy either asks CurrentPolicies() when it acts or
// listens for changes.

#include "policy/PolicySet.h"

namespace policy {

// Any thread: a copy of the policies in force.
PolicySet CurrentPolicies();

// Told on the main thread, after a refresh, when the policies changed.
class PolicyListener {
public:
    virtual ~PolicyListener() = default;
    virtual void PoliciesChanged(const PolicySet& now) = 0;
};
// Main thread. A listener stays plugged until it is unplugged.
void PlugPolicyListener(PolicyListener* listener);
void UnplugPolicyListener(PolicyListener* listener);

// Main thread: reads the registry again and tells the listeners when
// anything changed. True when it did.
bool RefreshPolicies();

} // namespace policy
