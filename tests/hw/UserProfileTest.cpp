// The overclock manager's item lists and the "cal.oc" profile file.

#include "board/core/BoardStore.h"
#include "hw/ProfileFolder.h"
#include "hw/UserProfileManager.h"
#include "hw/UsersModifyAcl.h"
#include "ipc/OwnedHandle.h"
#include "tests/board/support/BoardTestSupport.h"
#include "tests/fan/FanTestBoard.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <aclapi.h>
#include <sddl.h>

#include <fstream>
#include <map>
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

uint32_t WordOf(const std::vector<unsigned char>& bytes, size_t at)
{
    return uint32_t(bytes[at]) | uint32_t(bytes[at + 1]) << 8 | uint32_t(bytes[at + 2]) << 16 |
           uint32_t(bytes[at + 3]) << 24;
}

class Sid {
public:
    explicit Sid(const char* text) { ConvertStringSidToSidA(text, &m_sid); }
    ~Sid() { LocalFree(m_sid); }
    Sid(const Sid&) = delete;
    Sid& operator=(const Sid&) = delete;
    PSID Get() const { return m_sid; }

private:
    PSID m_sid = nullptr;
};

// Rights on a folder that would let a user replace it or put files in it.
constexpr DWORD kChangeFolder = FILE_ADD_FILE | FILE_ADD_SUBDIRECTORY | FILE_DELETE_CHILD | DELETE | WRITE_DAC |
                                WRITE_OWNER;

// The access list of a file or folder, as the system reports it.
class SecurityOf {
public:
    explicit SecurityOf(const std::string& path)
    {
        GetNamedSecurityInfoA(path.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &m_acl,
                              nullptr, &m_owned);
        m_descriptor = m_owned;
    }
    explicit SecurityOf(PSECURITY_DESCRIPTOR descriptor) : m_descriptor(descriptor)
    {
        BOOL present = FALSE, defaulted = FALSE;
        GetSecurityDescriptorDacl(descriptor, &present, &m_acl, &defaulted);
    }
    ~SecurityOf() { LocalFree(m_owned); }
    SecurityOf(const SecurityOf&) = delete;
    SecurityOf& operator=(const SecurityOf&) = delete;

    bool Protected() const
    {
        SECURITY_DESCRIPTOR_CONTROL control = 0;
        DWORD revision = 0;
        return GetSecurityDescriptorControl(m_descriptor, &control, &revision) && (control & SE_DACL_PROTECTED);
    }
    // Everything the entries allow the account.
    DWORD Allowed(const char* sid) const
    {
        Sid account(sid);
        DWORD mask = 0;
        for (DWORD i = 0; m_acl && i < m_acl->AceCount; ++i) {
            ACCESS_ALLOWED_ACE* ace = nullptr;
            if (GetAce(m_acl, i, reinterpret_cast<void**>(&ace)) && ace->Header.AceType == ACCESS_ALLOWED_ACE_TYPE &&
                EqualSid(&ace->SidStart, account.Get()))
                mask |= ace->Mask;
        }
        return mask;
    }

private:
    PACL m_acl = nullptr;
    PSECURITY_DESCRIPTOR m_owned = nullptr;
    PSECURITY_DESCRIPTOR m_descriptor = nullptr;
};

// Wine turns a Unix symbolic link into a reparse point, and Windows makes
// one only with a privilege, so the link is made by whichever works here.
// Whether the folder lists the name, also for a link whose target is gone.
bool Exists(const std::string& path)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    return true;
}

// The Unix path of a file under Wine; "" elsewhere.
std::string UnixPath(const std::string& path)
{
    using UnixName = char*(CDECL*)(const WCHAR*);
    auto unixName = reinterpret_cast<UnixName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!unixName)
        return "";
    const std::wstring wide(path.begin(), path.end());
    char* name = unixName(wide.c_str());
    const std::string result = name ? name : "";
    HeapFree(GetProcessHeap(), 0, name);
    return result;
}

// Runs a Unix program on `path` and waits until the path exists or not.
bool RunUnixUntil(const std::string& program, const std::string& arguments, const std::string& path, bool present)
{
    const std::string unixPath = UnixPath(path);
    if (unixPath.empty())
        return false;
    std::string line = program + " " + arguments + " \"" + unixPath + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    // The handle of a Unix process says nothing about its end.
    for (int i = 0; i < 500 && Exists(path) != present; ++i)
        Sleep(10);
    return Exists(path) == present;
}

bool MakeLink(const std::string& target, const std::string& link)
{
    const bool folder = GetFileAttributesA(target.c_str()) & FILE_ATTRIBUTE_DIRECTORY;
    if (CreateSymbolicLinkA(link.c_str(), target.c_str(), folder ? SYMBOLIC_LINK_FLAG_DIRECTORY : 0) && Exists(link))
        return true;
    const std::string unixTarget = UnixPath(target);
    return !unixTarget.empty() && RunUnixUntil("/bin/ln", "-s \"" + unixTarget + "\"", link, true);
}

void RemoveLink(const std::string& link)
{
    // Wine's own calls would remove the link's target instead.
    if (!RunUnixUntil("/bin/rm", "-f", link, false) && !RemoveDirectoryA(link.c_str()))
        DeleteFileA(link.c_str());
}

void RemoveTree(const std::string& folder)
{
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        RemoveLink(folder);
        return;
    }
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = folder + "\\" + found.cFileName;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
                RemoveLink(name);
            else
                DeleteFileA(name.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
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

// Random files, about half with a readable version: a file is accepted
// exactly when its header is whole and its version below 2, and then every
// whole record up to the count, and nothing else, is applied.
TEST_F(UserProfileTest, RandomFilesApplyExactlyTheirWholeRecords)
{
    std::mt19937 random(1234);
    const uint32_t known[] = {kBaseClock, kCoreVoltage, kUncore, kDram, kCommandRate};
    int accepted = 0;
    for (int round = 0; round < 300; ++round) {
        std::vector<unsigned char> bytes(random() % 80);
        for (auto& byte : bytes)
            byte = uint8_t(random());
        if (bytes.size() >= 12) {
            if (round % 2) {
                bytes[4] = uint8_t(random() % 2); // a readable version
                bytes[5] = bytes[6] = bytes[7] = 0;
            }
            bytes[8] = uint8_t(random() % 10); // a count about the file's size
            bytes[9] = bytes[10] = bytes[11] = 0;
        }
        // Some records name items of the board.
        for (size_t at = 12; at + 8 <= bytes.size(); at += 8)
            if (random() % 2) {
                const uint32_t id = known[random() % 5];
                for (int i = 0; i < 4; ++i)
                    bytes[at + i] = uint8_t(id >> (8 * i));
            }
        WriteBytes(path, bytes);

        kelp::OcManager manager;
        std::map<uint32_t, int32_t> expected;
        for (uint32_t id : known)
            expected[id] = Find(manager, id)->Current();
        bool acceptable = bytes.size() >= 12 && WordOf(bytes, 4) < 2;
        if (acceptable)
            for (size_t i = 0, at = 12; i < WordOf(bytes, 8) && at + 8 <= bytes.size(); ++i, at += 8)
                if (expected.count(WordOf(bytes, at)))
                    expected[WordOf(bytes, at)] = int32_t(WordOf(bytes, at + 4));

        EXPECT_EQ(kelp::UserProfileManager::Load(path, manager), acceptable) << round;
        accepted += acceptable;
        for (uint32_t id : known)
            EXPECT_EQ(Find(manager, id)->Pending(), expected[id]) << round << " item " << std::hex << id;
    }
    EXPECT_GT(accepted, 100);
}

// The four ordered items cannot carry extra strings; an item of that
// number whose class says otherwise is reported and still kept.
TEST_F(UserProfileTest, OrderedItemOfThePlainClassIsReported)
{
    static constexpr uint32_t kPlainVoltage = 0x03800012;
    ASSERT_TRUE(vboard::BoardStore().Update([](vboard::BoardState& state) {
        vboard::BoardItem item = state.items.at(kCoreVoltage);
        state.items.erase(kCoreVoltage);
        item.id = kPlainVoltage;
        state.items[kPlainVoltage] = item;
        return true;
    }));
    boardtest::MessageBoxCatcher boxes;
    kelp::OcManager manager;
    std::vector<boardtest::MessageBoxCatcher::Message> shown = boxes.Messages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].caption, "SplintAcpi");
    EXPECT_EQ(shown[0].text, "Item 3800012 can not have extra string");
    ASSERT_NE(Find(manager, kPlainVoltage), nullptr);
    EXPECT_EQ(manager.Ordered().back()->Id(), kPlainVoltage);
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
    kelp::UsersModifyAcl acl;
    ASSERT_NE(acl.Get(), nullptr);
    Sid users("S-1-5-32-545");
    DWORD usersMask = 0;
    int allowed = 0;
    for (DWORD i = 0; i < acl.Get()->AceCount; ++i) {
        ACCESS_ALLOWED_ACE* ace = nullptr;
        ASSERT_TRUE(GetAce(acl.Get(), i, reinterpret_cast<void**>(&ace)));
        ASSERT_EQ(ace->Header.AceType, ACCESS_ALLOWED_ACE_TYPE);
        ++allowed;
        EXPECT_EQ(ace->Header.AceFlags & (OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE), 0) << "for the file alone";
        if (EqualSid(&ace->SidStart, users.Get()))
            usersMask = ace->Mask;
    }
    EXPECT_EQ(allowed, 3);
    EXPECT_EQ(usersMask & (FILE_WRITE_DATA | FILE_APPEND_DATA | DELETE), DWORD(FILE_WRITE_DATA | FILE_APPEND_DATA | DELETE));
    EXPECT_EQ(usersMask & (WRITE_DAC | WRITE_OWNER), 0u);
}

TEST(ProfileFolderOwner, OnlyAdministratorsAndTheSystemAreTrusted)
{
    EXPECT_TRUE(kelp::ProfileFolder::IsTrustedOwner(Sid("S-1-5-32-544").Get()));
    EXPECT_TRUE(kelp::ProfileFolder::IsTrustedOwner(Sid("S-1-5-18").Get()));
    EXPECT_FALSE(kelp::ProfileFolder::IsTrustedOwner(Sid("S-1-5-32-545").Get())) << "users";
    EXPECT_FALSE(kelp::ProfileFolder::IsTrustedOwner(Sid("S-1-1-0").Get())) << "everyone";
    EXPECT_FALSE(kelp::ProfileFolder::IsTrustedOwner(Sid("S-1-5-21-1-2-3-1001").Get())) << "another user";
}

class ProfileFolderTest : public testing::Test {
protected:
    void SetUp() override
    {
        fantest::LoadBoard("current");
        RemoveTree(folder);
        RemoveTree(elsewhere);
        ASSERT_TRUE(CreateDirectoryA(elsewhere.c_str(), nullptr));
    }
    void TearDown() override
    {
        RemoveTree(folder);
        RemoveTree(elsewhere);
    }

    std::string folder = TempFile("Ordun");
    std::string elsewhere = TempFile("elsewhere");
};

TEST(ProfileFolderSecurity, UsersMayOnlyReadTheFolder)
{
    kelp::ProfileFolder::Descriptor descriptor = kelp::ProfileFolder::FolderSecurity();
    ASSERT_NE(descriptor, nullptr);
    SecurityOf security(descriptor.get());
    EXPECT_TRUE(security.Protected()) << "rights of the folder above are not inherited";
    EXPECT_EQ(security.Allowed("S-1-5-32-545") & kChangeFolder, 0u) << "users may change the folder";
    EXPECT_TRUE(security.Allowed("S-1-5-32-545") & FILE_LIST_DIRECTORY);
    EXPECT_EQ(security.Allowed("S-1-5-32-544") & FILE_ALL_ACCESS, DWORD(FILE_ALL_ACCESS));
    EXPECT_EQ(security.Allowed("S-1-5-18") & FILE_ALL_ACCESS, DWORD(FILE_ALL_ACCESS));
}

// On the disk. Wine keeps no access lists on files, so there the test can
// only show that preparing works; a system that keeps them shows the rest.
TEST_F(ProfileFolderTest, FolderGetsItsAccessListAlsoWhenAnEarlierVersionOpenedIt)
{
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    kelp::UsersModifyAcl earlier; // what the folder used to get
    {
        kelp::OwnedHandle handle(CreateFileA(folder.c_str(), READ_CONTROL | WRITE_DAC, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                             nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        ASSERT_TRUE(handle.IsValid());
        ASSERT_TRUE(earlier.ApplyTo(handle.Get()));
    }
    const bool keepsLists = SecurityOf(folder).Allowed("S-1-5-32-545") & DELETE;
    ASSERT_TRUE(kelp::ProfileFolder::Prepare(folder));
    ASSERT_TRUE(kelp::ProfileFolder::Prepare(folder)) << "prepared again";
    kelp::OcManager manager;
    ASSERT_TRUE(kelp::UserProfileManager::Save(folder + "\\cal.oc", manager));
    if (!keepsLists)
        GTEST_SKIP() << "this system keeps no access lists on files";
    EXPECT_TRUE(SecurityOf(folder).Protected());
    EXPECT_EQ(SecurityOf(folder).Allowed("S-1-5-32-545") & kChangeFolder, 0u);
    EXPECT_TRUE(SecurityOf(folder + "\\cal.oc").Allowed("S-1-5-32-545") & FILE_WRITE_DATA);
}

// A folder replaced by a link to another folder is not used: the save
// would otherwise write, and open to every user, a file wherever the link
// points.
TEST_F(ProfileFolderTest, LinkInPlaceOfTheFolderIsRefused)
{
    if (!MakeLink(elsewhere, folder))
        GTEST_SKIP() << "this system makes no links for the test";
    EXPECT_FALSE(kelp::ProfileFolder::Prepare(folder));
    RemoveLink(folder);
    EXPECT_TRUE(kelp::ProfileFolder::Prepare(folder)) << "a real folder in its place";
}

// The same for the profile file itself. Wine shows links to files as plain
// files, so there the test cannot make one that counts.
TEST_F(ProfileFolderTest, LinkInPlaceOfTheProfileIsNotFollowed)
{
    const std::string target = elsewhere + "\\system.dat";
    WriteBytes(target, {1, 2, 3});
    ASSERT_TRUE(kelp::ProfileFolder::Prepare(folder));
    const std::string file = folder + "\\cal.oc";
    if (!MakeLink(target, file))
        GTEST_SKIP() << "this system makes no links for the test";
    if (!(GetFileAttributesA(file.c_str()) & FILE_ATTRIBUTE_REPARSE_POINT)) {
        RemoveLink(file);
        GTEST_SKIP() << "this system shows a link to a file as the file itself";
    }
    kelp::OcManager manager;
    EXPECT_FALSE(kelp::UserProfileManager::Save(file, manager));
    EXPECT_FALSE(kelp::UserProfileManager::Load(file, manager));
    EXPECT_EQ(ReadBytes(target), (std::vector<unsigned char>{1, 2, 3}));
    RemoveLink(file);
}

TEST_F(ProfileFolderTest, ProfileWithASecondNameIsNotWritten)
{
    const std::string target = elsewhere + "\\system.dat";
    WriteBytes(target, {1, 2, 3});
    ASSERT_TRUE(kelp::ProfileFolder::Prepare(folder));
    const std::string file = folder + "\\cal.oc";
    ASSERT_TRUE(CreateHardLinkA(file.c_str(), target.c_str(), nullptr));
    kelp::OcManager manager;
    EXPECT_FALSE(kelp::UserProfileManager::Save(file, manager));
    EXPECT_EQ(ReadBytes(target), (std::vector<unsigned char>{1, 2, 3}));
}

} // namespace
