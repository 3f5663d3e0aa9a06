// The overclock manager's item lists and the "cal.oc" profile file.

#include "hw/UserProfileManager.h"
#include "hw/UsersModifyAcl.h"
#include "tests/fan/FanTestBoard.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <random>
#include <vector>

namespace {

std::string TempFile(const char* name)
{
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + "pellix-" + std::to_string(GetCurrentProcessId()) + "-" + name;
}

void WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

std::vector<unsigned char> ReadBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void PutWord(std::vector<unsigned char>& bytes, uint32_t word)
{
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(uint8_t(word >> shift));
}

std::vector<unsigned char> Profile(uint32_t version, uint32_t count, const std::vector<std::pair<uint32_t, int32_t>>& records)
{
    std::vector<unsigned char> bytes{'V', 'T', 'O', 'C'};
    PutWord(bytes, version);
    PutWord(bytes, count);
    for (auto [id, value] : records) {
        PutWord(bytes, id);
        PutWord(bytes, uint32_t(value));
    }
    return bytes;
}

const kelp::OcRegularItem* Find(kelp::OcManager& manager, uint32_t id)
{
    for (auto& item : manager.Ordered())
        if (item->Id() == id)
            return item.get();
    for (auto& item : manager.Others())
        if (item->Id() == id)
            return item.get();
    return nullptr;
}

constexpr uint32_t kBaseClock = 0x03000011;
constexpr uint32_t kCoreVoltage = 0x03020012;
constexpr uint32_t kUncore = 0x03000015;
constexpr uint32_t kDram = 0x03000032;
constexpr uint32_t kCommandRate = 0x03800040;

class UserProfileTest : public testing::Test {
protected:
    void SetUp() override
    {
        fantest::LoadBoard("current");
        DeleteFileA(path.c_str());
    }
    void TearDown() override { DeleteFileA(path.c_str()); }

    std::string path = TempFile("cal.oc");
};

TEST_F(UserProfileTest, ManagerSortsTheGroupIntoItsLists)
{
    fantest::SetItemValue(kBaseClock, 350);
    kelp::OcManager manager;
    std::vector<uint32_t> ordered;
    for (auto& item : manager.Ordered())
        ordered.push_back(item->Id());
    // Bus clock first, the rest of the four in the group's order.
    EXPECT_EQ(ordered, (std::vector<uint32_t>{kBaseClock, kUncore, kDram, kCoreVoltage}));
    std::vector<uint32_t> others;
    for (auto& item : manager.Others())
        others.push_back(item->Id());
    // Hidden (0x16), ratio lock (0x31), numbers from 0xF0 and the ratio item stay out.
    EXPECT_EQ(others, (std::vector<uint32_t>{0x03010060, 0x03010065, 0x03030061, 0x03080064, kCommandRate}));
    ASSERT_NE(manager.Ratio().Item(), nullptr);
    EXPECT_EQ(manager.Ratio().Item()->GetId(), 0x03000013u);
    EXPECT_EQ(Find(manager, kBaseClock)->Current(), 350);
    EXPECT_FALSE(manager.HasPendingChange());
}

TEST_F(UserProfileTest, SavedProfileLoadsBackAsPendingValuesThatDifferFromTheBoard)
{
    {
        kelp::OcManager unchanged;
        ASSERT_TRUE(kelp::UserProfileManager::Save(path, unchanged));
        kelp::OcManager fresh;
        ASSERT_TRUE(kelp::UserProfileManager::Load(path, fresh));
        EXPECT_FALSE(fresh.HasPendingChange());
    }
    kelp::OcManager saved;
    saved.SetPending(kBaseClock, 400);
    saved.SetPending(kCommandRate, 1);
    ASSERT_TRUE(kelp::UserProfileManager::Save(path, saved));

    std::vector<unsigned char> bytes = ReadBytes(path);
    size_t records = saved.Ordered().size() + saved.Others().size();
    ASSERT_EQ(bytes.size(), 12 + 8 * records);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "VTOC");
    EXPECT_EQ(bytes[4], 1);
    EXPECT_EQ(bytes[8], records);
    // The first record is the bus clock with its pending value, little-endian.
    EXPECT_EQ(std::vector<unsigned char>(bytes.begin() + 12, bytes.begin() + 20),
              (std::vector<unsigned char>{0x11, 0, 0, 3, 0x90, 1, 0, 0}));

    kelp::OcManager loaded;
    ASSERT_TRUE(kelp::UserProfileManager::Load(path, loaded));
    EXPECT_EQ(Find(loaded, kBaseClock)->Pending(), 400);
    EXPECT_EQ(Find(loaded, kBaseClock)->Current(), 333);
    EXPECT_EQ(Find(loaded, kCommandRate)->Pending(), 1);
    EXPECT_TRUE(loaded.HasPendingChange());
}

TEST_F(UserProfileTest, NewerVersionsAreRefusedAndShortFilesApplyWhatTheyHold)
{
    kelp::OcManager manager;
    WriteBytes(path, Profile(2, 1, {{kBaseClock, 400}}));
    EXPECT_FALSE(kelp::UserProfileManager::Load(path, manager));
    EXPECT_FALSE(manager.HasPendingChange());

    WriteBytes(path, Profile(1, 3, {{kBaseClock, 401}, {kDram, 2}}));
    EXPECT_TRUE(kelp::UserProfileManager::Load(path, manager));
    EXPECT_EQ(Find(manager, kBaseClock)->Pending(), 401);
    EXPECT_EQ(Find(manager, kDram)->Pending(), 2);

    std::vector<unsigned char> header = Profile(1, 0, {});
    header.resize(10); // count cut short
    WriteBytes(path, header);
    EXPECT_FALSE(kelp::UserProfileManager::Load(path, manager));
    DeleteFileA(path.c_str());
    EXPECT_FALSE(kelp::UserProfileManager::Load(path, manager));
}

TEST_F(UserProfileTest, RandomBytesNeverUpsetTheLoader)
{
    kelp::OcManager manager;
    std::mt19937 random(1234);
    for (int round = 0; round < 300; ++round) {
        std::vector<unsigned char> bytes(random() % 80);
        for (auto& byte : bytes)
            byte = uint8_t(random());
        if (round % 2 && bytes.size() >= 12) {
            bytes[4] = uint8_t(random() % 2); // a readable version, a random count
            bytes[5] = bytes[6] = bytes[7] = 0;
        }
        WriteBytes(path, bytes);
        bool loaded = kelp::UserProfileManager::Load(path, manager);
        if (bytes.size() < 12) {
            EXPECT_FALSE(loaded) << round;
        }
    }
}

TEST_F(UserProfileTest, HugeRecordCountAppliesOnlyTheFirstRecords)
{
    // A count of four billion over a file of a thousand and more records:
    // the loader takes the first 1024 and ignores the rest of the file.
    std::vector<std::pair<uint32_t, int32_t>> records(1024, {kBaseClock, 401});
    records.push_back({kDram, 7});
    WriteBytes(path, Profile(1, 0xFFFFFFFF, records));
    kelp::OcManager manager;
    const int dram = Find(manager, kDram)->Pending();
    ASSERT_TRUE(kelp::UserProfileManager::Load(path, manager));
    EXPECT_EQ(Find(manager, kBaseClock)->Pending(), 401);
    EXPECT_EQ(Find(manager, kDram)->Pending(), dram);
}

TEST(UsersModifyAclTest, UsersMayWriteAndDeleteButNotChangeTheAccessList)
{
    for (bool folder : {false, true}) {
        kelp::UsersModifyAcl acl(folder);
        ASSERT_NE(acl.Get(), nullptr);
        SID_IDENTIFIER_AUTHORITY authority = SECURITY_NT_AUTHORITY;
        PSID users = nullptr;
        AllocateAndInitializeSid(&authority, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_USERS, 0, 0, 0, 0, 0, 0,
                                 &users);
        DWORD usersMask = 0;
        int allowed = 0;
        for (DWORD i = 0; i < acl.Get()->AceCount; ++i) {
            ACCESS_ALLOWED_ACE* ace = nullptr;
            ASSERT_TRUE(GetAce(acl.Get(), i, reinterpret_cast<void**>(&ace)));
            ASSERT_EQ(ace->Header.AceType, ACCESS_ALLOWED_ACE_TYPE);
            ++allowed;
            EXPECT_EQ((ace->Header.AceFlags & (OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE)) != 0, folder);
            if (EqualSid(&ace->SidStart, users))
                usersMask = ace->Mask;
        }
        FreeSid(users);
        EXPECT_EQ(allowed, 3);
        EXPECT_EQ(usersMask & (FILE_WRITE_DATA | FILE_APPEND_DATA | DELETE), DWORD(FILE_WRITE_DATA | FILE_APPEND_DATA | DELETE));
        EXPECT_EQ(usersMask & (WRITE_DAC | WRITE_OWNER), 0u);
    }
}

} // namespace
