// Appearances, font colours and loading state bitmaps from files.

#include "VtPackage/VtButton.h"
#include "VtPackage/VtButtonTx.h"
#include "VtPackage/VtCheckBox.h"
#include "VtPackage/LoadStateBitmaps.h"
#include "VtTestSupport.h"
#include "framework/graphics/GraphicsError.h"

using namespace vttest;

TEST_F(FormTest, LoadingOnlyTheRaisedBitmapKeepsTheOthers)
{
    auto& button = Place<VtButton>(10, 10);
    button.LoadBitmap(ArtFolder(), "brick_normal.bmp", "button_sunken.bmp", "", "");
    button.LoadBitmap(ArtFolder(), "round_raised.bmp", "", "", "");
    EXPECT_EQ(button.Width(), 40);  // the new base bitmap's size
    EXPECT_EQ(button.Height(), 40);
    EXPECT_EQ(button.Appearance().SunkenBmp().Width(), 84);
    EXPECT_TRUE(button.Appearance().FocusedBmp().Empty());
    EXPECT_EQ(ShownState(button), 0);
}

TEST_F(FormTest, FolderSeparatorIsAddedOnlyWhenMissing)
{
    auto& button = Place<VtButton>(10, 10);
    std::string folder = ArtFolder();
    folder.pop_back();  // without the trailing backslash
    EXPECT_TRUE(button.LoadBitmap(folder, "button_raised.bmp", "", "", ""));
    EXPECT_EQ(button.Width(), 84);

    // A drive-relative folder ("X:") takes the name right after the colon.
    char current[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, current);
    SetCurrentDirectoryA(ArtFolder().c_str());
    const std::string drive = ArtFolder().substr(0, 2);
    EXPECT_TRUE(button.LoadBitmap(drive, "round_raised.bmp", "", "", ""));
    SetCurrentDirectoryA(current);
    EXPECT_EQ(button.Width(), 40);
}

TEST_F(FormTest, AMissingFileLeavesEveryStateUnchanged)
{
    auto& button = Place<VtButton>(10, 10);
    button.LoadBitmap(ArtFolder(), "button_raised.bmp", "button_sunken.bmp", "", "");
    EXPECT_THROW(button.LoadBitmap(ArtFolder(), "round_raised.bmp", "no_such_file.bmp", "", ""), EFOpenError);
    EXPECT_EQ(button.Width(), 84);
    EXPECT_EQ(button.Appearance().RaisedBmp().Width(), 84);
    EXPECT_EQ(ShownState(button), 0);
}

TEST_F(FormTest, AssigningAnAppearanceCopiesTheBitmapsIntoTheOwnControl)
{
    auto& source = Place<VtCheckBox>(10, 10);
    auto& target = Place<VtCheckBox>(40, 10);
    source.LoadChecked(ArtFolder(), "check_checked_raised.bmp", "", "check_checked_focused.bmp", "");
    source.LoadUnchecked(ArtFolder(), "check_unchecked_raised.bmp", "", "", "");
    target.SetAppearance(source.Appearance());
    EXPECT_EQ(target.Width(), 20);
    target.SetChecked(true);
    EXPECT_EQ(ShownState(target), 4);
    // A copy: changing the source later leaves the target alone.
    source.Appearance().Check().SetRaisedBmp(Art("check_grayed_raised.bmp"));
    EXPECT_EQ(ShownState(target), 4);
    EXPECT_NE(&target.Appearance().Check().RaisedBmp(), &source.Appearance().Check().RaisedBmp());
}

TEST(VtFontColorTest, SettersFireOnlyOnARealChangeAndAssignFiresOnce)
{
    VtThreeStateFontColor colors;
    int changes = 0;
    colors.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &colors);
        ++changes;
    };
    EXPECT_EQ(colors.Sunken(), clNone);
    colors.SetSunken(0x123456);
    colors.SetSunken(0x123456);
    EXPECT_EQ(changes, 1);
    VtThreeStateFontColor other;
    other.SetFocused(0x00FF00);
    other.SetDisabled(0x0000FF);
    colors.Assign(other);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(colors.Sunken(), clNone);
    EXPECT_EQ(colors.Focused(), 0x00FF00u);
    EXPECT_EQ(colors.Disabled(), 0x0000FFu);
}
