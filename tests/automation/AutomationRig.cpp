#include "tests/automation/AutomationRig.h"

#include "engine/RegistryLayout.h"
#include "tests/board/support/BoardTestSupport.h"

#include <gtest/gtest.h>

namespace automationtest {

void ClearAutomation()
{
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, RegKey::Automation);
}

void WriteAutomation(const char* name, const std::string& text)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, RegKey::Automation, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    const LONG written = RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                        DWORD(text.size() + 1));
    RegCloseKey(key);
    ASSERT_EQ(written, ERROR_SUCCESS);
}

Helper::Helper(const std::string& name, const std::string& arguments)
{
    const std::string folder = boardtest::RuntimeFolder();
    const std::string path = folder + name;
    EXPECT_TRUE(CopyFileA((folder + "automation_helper.exe").c_str(), path.c_str(), FALSE) ||
                GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES)
        << path;
    std::string command = "\"" + path + "\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    EXPECT_TRUE(CreateProcessA(path.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                               &startup, &process_))
        << path;
}

bool Helper::Running() const
{
    return process_.hProcess && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

void Helper::End()
{
    if (!process_.hProcess)
        return;
    TerminateProcess(process_.hProcess, 0);
    WaitForSingleObject(process_.hProcess, 5000);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
    process_ = {};
}

bool PressKeys(const std::vector<WORD>& keys)
{
    std::vector<INPUT> inputs;
    for (WORD key : keys) {
        INPUT down{};
        down.type = INPUT_KEYBOARD;
        down.ki.wVk = key;
        inputs.push_back(down);
    }
    for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
        INPUT up{};
        up.type = INPUT_KEYBOARD;
        up.ki.wVk = *key;
        up.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(up);
    }
    return SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

} // namespace automationtest
