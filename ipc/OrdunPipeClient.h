#pragma once
// The program's client of the companion's graphics pipe: one transaction
// at a time, each on a worker thread, the caller waiting at most 10 s.

#include "framework/system/ProcessWide.h"
#include "ipc/GuardedPipeClient.h"

namespace kelp {

class OrdunPipeClient : public GuardedPipeClient {
public:
    static OrdunPipeClient& Instance();

private:
    friend class ProcessWide<OrdunPipeClient>;
    OrdunPipeClient();
};

} // namespace kelp
