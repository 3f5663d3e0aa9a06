#include "engine/EnergySavingAccounts.h"

#include "engine/RegistryLayout.h"

const char* MbEnergySaving::KeyPath() const
{
    return RegKey::OrdunMb;
}

const char* VgaEnergySaving::KeyPath() const
{
    return RegKey::OrdunVga;
}
