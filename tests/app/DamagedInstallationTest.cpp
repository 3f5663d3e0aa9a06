// A missing or unreadable artwork file stops the program with a notice that
// names the file, before it has changed any hardware setting.

#include "ChildProcess.h"
#include "tests/board/support/BoardTestSupport.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

const std::string g_boardState = boardtest::UseOwnBoardState("app-damaged");

constexpr DWORD kStartTimeoutMs = 30000;
constexpr const char* kGearLevelItem = "0x0B060001";

// Takes an artwork file away, or replaces it with bytes that are no
// picture, for the life of the object.
class DamagedFile {
public:
    DamagedFile(const std::string& relative, bool corrupt)
        : m_path(boardtest::RuntimeFolder() + relative), m_aside(m_path + ".aside")
    {
        EXPECT_TRUE(MoveFileA(m_path.c_str(), m_aside.c_str())) << m_path;
        if (corrupt)
            std::ofstream(m_path, std::ios::binary) << "not a picture";
    }
    ~DamagedFile()
    {
        DeleteFileA(m_path.c_str());
        MoveFileA(m_aside.c_str(), m_path.c_str());
    }
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
    std::string m_aside;
};

std::string GearLevel()
{
    return boardtest::Run("boardctl.exe", std::string("get ") + kGearLevelItem).out;
}

} // namespace

TEST(DamagedInstallation, MissingOrUnreadableArtworkIsNamedAndNothingIsTouched)
{
    struct Case {
        const char* file;
        bool corrupt;
    };
    for (const Case& c : {Case{"Skin\\Main\\LargeBk.bmp", false}, Case{"Skin\\Main\\LowButton_on_raised.bmp", true},
                          Case{"Resource\\mask.png", false}, Case{"Resource\\turbo_b.png", true}}) {
        SCOPED_TRACE(c.file);
        ASSERT_EQ(boardtest::Run("boardctl.exe", std::string("set ") + kGearLevelItem + " 2").exitCode, 0u);
        const std::string levelBefore = GearLevel();
        DamagedFile damaged(c.file, c.corrupt);

        PellixProcess pellix("");
        HWND box = pellix.WaitForWindow("#32770", kStartTimeoutMs);
        ASSERT_NE(box, nullptr) << "no notice";
        Eventually([&] { return !MessageBoxText(box).empty(); }, 5000);
        const std::string text = MessageBoxText(box);
        EXPECT_NE(text.find(damaged.Path()), std::string::npos) << text;
        EXPECT_NE(text.find("reinstall"), std::string::npos) << text;
        char caption[64] = {};
        GetWindowTextA(box, caption, sizeof caption);
        EXPECT_STREQ(caption, "Ordun");
        for (const ProcessWindow& window : pellix.Windows())
            EXPECT_NE(window.windowClass, "TMainForm") << "the main window was created";
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(pellix.WaitForExit(kStartTimeoutMs));
        EXPECT_EQ(pellix.ExitCode(), 0u);
        EXPECT_EQ(GearLevel(), levelBefore) << "the gear level was written";
    }
}
