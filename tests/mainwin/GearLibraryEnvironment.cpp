// The in-process cases use the power-gear library beside the executable,
// as the program does.

#include "kelp/vantor/PowerGear.h"

#include <gtest/gtest.h>

namespace {

class GearLibraryBeside : public testing::Environment {
public:
    void SetUp() override { kelp::PowerGear::m_impIndex = 0; }
};

[[maybe_unused]] testing::Environment* const gearLibrary = testing::AddGlobalTestEnvironment(new GearLibraryBeside);

} // namespace
