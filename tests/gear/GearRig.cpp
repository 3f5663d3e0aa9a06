#include "tests/gear/GearRig.h"

#include "board/core/BoardStore.h"
#include "tests/board/support/BoardTestSupport.h"

namespace geartest {

namespace {
const std::string boardState = boardtest::UseOwnBoardState("gear");
constexpr char kRoot[] = "Software\\VANTOR\\Tamsel3";
} // namespace

void LoadBoard(const std::string& profile, const std::function<void(vboard::BoardState&)>& change)
{
    std::string error;
    ASSERT_TRUE(vboard::BoardStore().LoadProfile(profile, error)) << error;
    if (change)
        ChangeBoard(change);
}

void ChangeBoard(const std::function<void(vboard::BoardState&)>& change)
{
    ASSERT_TRUE(vboard::BoardStore().Update([&](vboard::BoardState& state) {
        change(state);
        return true;
    }));
}

uint32_t BoardValue(uint32_t id)
{
    vboard::BoardState state;
    EXPECT_TRUE(vboard::BoardStore().Read(state));
    const vboard::BoardItem* item = state.Find(id);
    EXPECT_NE(item, nullptr) << std::hex << id;
    return item ? item->value : 0;
}

bool BoardHas(uint32_t id)
{
    vboard::BoardState state;
    EXPECT_TRUE(vboard::BoardStore().Read(state));
    return state.Find(id) != nullptr;
}

void SetBoardValue(uint32_t id, uint32_t value)
{
    ChangeBoard([=](vboard::BoardState& state) {
        vboard::BoardItem* item = state.Find(id);
        ASSERT_NE(item, nullptr) << std::hex << id;
        item->value = value;
    });
}

void CleanTamselKey()
{
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kRoot);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kRoot);
}

std::optional<DWORD> ReadRootDword(const char* name)
{
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, kRoot, name, RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

void WriteRootDword(const char* name, DWORD value)
{
    ASSERT_EQ(RegSetKeyValueA(HKEY_LOCAL_MACHINE, kRoot, name, REG_DWORD, &value, sizeof value), ERROR_SUCCESS);
}

GearRig::GearRig()
{
    auto library = std::make_unique<kelp::PowerGearDll>("");
    dll = library.get();
    library->Open();
    store = std::make_unique<kelp::ThresholdStore>(*library);
    library->UseThresholdStore(*store);
    gear = std::make_unique<kelp::PowerGear>(std::move(library), store.get());
}

void GearTest::SetUp()
{
    CleanTamselKey();
    // Readings stay as the test sets them unless it asks for live sensors.
    LoadBoard("current", [](vboard::BoardState& state) { state.knobs["tamsel_sensors"] = "hold"; });
}

} // namespace geartest
