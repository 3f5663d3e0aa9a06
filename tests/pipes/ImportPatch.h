#pragma once
// Replaces one imported function of this test executable for the life of
// the object, so a test can see the arguments the program's own code
// passes to the system (Wine accepts some that it does not act on).

#include <windows.h>

namespace pipetest {

class ImportPatch {
public:
    // `module` is the imported library's name as the executable names it
    // (compared without regard to case).
    ImportPatch(const char* module, const char* function, void* replacement);
    ~ImportPatch();
    ImportPatch(const ImportPatch&) = delete;
    ImportPatch& operator=(const ImportPatch&) = delete;

    // False when the executable does not import the function.
    bool IsApplied() const { return slot_ != nullptr; }
    // The function the import pointed to before.
    void* Original() const { return original_; }

private:
    void Write(void* value);

    void** slot_ = nullptr;
    void* original_ = nullptr;
};

} // namespace pipetest
