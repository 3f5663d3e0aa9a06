#pragma once
// What the automation's program tests need: its stored settings, a helper
// program started under a chosen name, and keys pressed as input.

#include <windows.h>

#include <string>
#include <vector>

namespace automationtest {

void ClearAutomation();
// A REG_SZ value under the automation's key; text may hold any bytes but NUL.
void WriteAutomation(const char* name, const std::string& text);

// The helper copied to `name` beside the program and started with the
// arguments; ended when the object goes.
class Helper {
public:
    explicit Helper(const std::string& name, const std::string& arguments = {});
    ~Helper() { End(); }
    Helper(const Helper&) = delete;
    Helper& operator=(const Helper&) = delete;

    bool Running() const;
    void End();

private:
    PROCESS_INFORMATION process_{};
};

// Presses the keys in order and lets go of them in reverse, as keyboard
// input; false when the system did not take the input.
bool PressKeys(const std::vector<WORD>& keys);

} // namespace automationtest
