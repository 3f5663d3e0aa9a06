#include "tests/fan/FanTestBoard.h"

#include "board/core/BoardStore.h"
#include "board/core/FileText.h"
#include "board/core/SuperIoChip.h"
#include "kelp/vantor/BiosInterface.h"
#include "tests/board/support/BoardTestSupport.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <sstream>

namespace fantest {
namespace {
const char kFanStoreKey[] = "Software\\VANTOR\\Corvex\\Ventry";

std::string UseOwnAccessLog()
{
    char inherited[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("PELLIX_SIO_LOG", inherited, sizeof inherited);
    if (length > 0 && length < sizeof inherited && GetEnvironmentVariableA("PELLIX_TEST_PARENT_BOARD", nullptr, 0))
        return inherited;
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    std::string path = std::string(folder) + "pellix-sio-" + std::to_string(GetCurrentProcessId()) + ".log";
    DeleteFileA(path.c_str());
    SetEnvironmentVariableA("PELLIX_SIO_LOG", path.c_str());
    return path;
}

// Before any board access: this executable's own state and access log.
const std::string statePath = boardtest::UseOwnBoardState("fan");
const std::string logPath = UseOwnAccessLog();

void Change(const std::function<void(vboard::BoardState&)>& change)
{
    ASSERT_TRUE(vboard::BoardStore().Update([&](vboard::BoardState& state) {
        change(state);
        return true;
    }));
}
} // namespace

void LoadBoard(const std::string& profile)
{
    std::string error;
    ASSERT_TRUE(vboard::BoardStore().LoadProfile(profile, error)) << error;
}

void SetKnob(const std::string& name, const std::string& value)
{
    Change([&](vboard::BoardState& state) { state.knobs[name] = value; });
}

void SetItemValue(uint32_t id, uint32_t value)
{
    Change([&](vboard::BoardState& state) {
        vboard::BoardItem* item = state.Find(id);
        ASSERT_NE(item, nullptr) << std::hex << id;
        item->value = value;
    });
}

void RemoveItem(uint32_t id)
{
    Change([&](vboard::BoardState& state) { state.items.erase(id); });
}

uint8_t Register(uint32_t bank, uint32_t offset)
{
    vboard::BoardState state;
    EXPECT_TRUE(vboard::BoardStore().Read(state));
    auto found = state.registers.find(bank * 256 + offset);
    return found == state.registers.end() ? 0 : found->second;
}

void SetRegister(uint32_t bank, uint32_t offset, uint8_t value)
{
    Change([&](vboard::BoardState& state) { state.registers[bank * 256 + offset] = value; });
}

uint8_t ChipBank()
{
    vboard::BoardState state;
    EXPECT_TRUE(vboard::BoardStore().Read(state));
    vboard::OutPort(state, vboard::kHwmIndexPort, vboard::kHwmBankRegister);
    return vboard::InPort(state, vboard::kHwmDataPort);
}

void ClearAccessLog()
{
    DeleteFileA(logPath.c_str());
}

std::vector<Access> AccessLog()
{
    std::string text;
    std::vector<Access> log;
    if (!vboard::ReadFileText(logPath, text))
        return log;
    std::istringstream lines(text);
    std::string direction;
    Access access;
    unsigned port = 0, value = 0;
    while (lines >> access.process >> direction >> std::hex >> port >> value >> std::dec) {
        access.out = direction == "out";
        access.port = uint16_t(port);
        access.value = uint8_t(value);
        log.push_back(access);
    }
    return log;
}

std::vector<RegisterWrite> RegisterWrites(const std::vector<Access>& log)
{
    std::vector<RegisterWrite> writes;
    uint8_t index = 0, bank = 0;
    for (const Access& access : log) {
        if (!access.out)
            continue;
        if (access.port == vboard::kHwmIndexPort) {
            index = access.value;
        } else if (access.port == vboard::kHwmDataPort) {
            if (index == vboard::kHwmBankRegister)
                bank = access.value;
            else
                writes.push_back({bank, index, access.value});
        }
    }
    return writes;
}

void ClearFanStore()
{
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kFanStoreKey);
}

bool ReadFanStoreValue(const char* name, unsigned long& value)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kFanStoreKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    DWORD data = 0, size = sizeof data, type = 0;
    bool ok = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) == ERROR_SUCCESS &&
              type == REG_DWORD;
    RegCloseKey(key);
    value = data;
    return ok;
}

void WriteFanStoreValue(const char* name, unsigned long value)
{
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kFanStoreKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    DWORD data = value;
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
    RegCloseKey(key);
}

uint32_t BoardVentryLib::GetItem(uint32_t id)
{
    uint32_t value = 0;
    if (!kelp::GetItem(id, value))
        ReportReadFailure(id);
    return value;
}

void BoardVentryLib::SetItem(uint32_t id, uint32_t first, uint32_t second)
{
    writtenItems.push_back(id);
    kelp::SetItemMode(id, first, second);
}

bool BoardVentryLib::IsItemSupported(uint32_t id)
{
    return kelp::IsItemSupported(id);
}

} // namespace fantest
