#pragma once
// Reads the policy values of the registry: HKLM and HKCU
// Software\Policies\Pellix, each value fetched raw (at most
// kMaxPolicyValueBytes) and decoded; a bad value is traced and ignored.

#include "policy/PolicySet.h"

#include <windows.h>

namespace policy {

// The values of one hive's key; empty when the key is missing.
PolicySet ReadPolicyHive(HKEY root);
// The machine's values, and the user's where the machine sets none.
PolicySet ReadPolicies();

} // namespace policy
