#pragma once
// Security attributes for pipes that every local account may use (the
// companion can run under another user) while network logons get nothing.
// Together with PIPE_REJECT_REMOTE_CLIENTS this keeps the pipes local.

#include <memory>

#include <windows.h>

namespace kelp {

class LocalPipeSecurity {
public:
    // Without a descriptor (SDDL text), every local account may read and write.
    explicit LocalPipeSecurity(bool inheritHandle, const char* descriptor = nullptr);

    // False when the descriptor could not be built (traced).
    bool IsValid() const { return descriptor_ != nullptr; }
    SECURITY_ATTRIBUTES* Attributes() { return IsValid() ? &attributes_ : nullptr; }

private:
    struct LocalFreeDeleter {
        void operator()(void* memory) const { LocalFree(memory); }
    };

    std::unique_ptr<void, LocalFreeDeleter> descriptor_;
    SECURITY_ATTRIBUTES attributes_{};
};

} // namespace kelp
