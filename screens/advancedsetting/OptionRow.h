#pragma once
// A skinned drop-down choice on the advanced-settings form: a title, a face
// showing the chosen entry, an arrow button that opens the list below it (a
// click on the face opens it too).
// An open list closes when an entry is chosen, on a left press anywhere
// else or Escape (that press or key goes no further) and when the
// application loses the focus.

#include "VtPackage/VtButton.h"
#include "framework/controls/TImage.h"
#include "framework/controls/TLabel.h"
#include "kelp/System/Language.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TAdvancedSetting;
class DropDownPanel;

class OptionRow {
public:
    // language: the language the row's fonts follow, as GetLanguageName
    // gives it; a form building several rows looks it up once for all.
    OptionRow(TAdvancedSetting& form, int left, int top, const std::string& language = kelp::GetLanguageName());
    OptionRow(const OptionRow&) = delete;
    OptionRow& operator=(const OptionRow&) = delete;
    ~OptionRow();

    void SetTitle(const std::string& title);
    // Red title and face text: the feature behind the row is missing.
    void SetAlert(bool alert);
    // Replaces the entries; the first one is chosen.
    void SetItems(std::vector<std::string> items);
    const std::vector<std::string>& Items() const { return items_; }
    // An index at or past the end chooses the last entry; fires no event.
    void Select(int index);
    int SelectedIndex() const { return selected_; }
    void SetEnabled(bool enabled);
    bool Enabled() const { return enabled_; }

    void Open();
    void Close();
    bool IsOpen() const;

    // Fired when the user chooses an entry.
    std::function<void()> OnChange;

    TLabel& Title() { return *title_; }
    TLabel& FaceText() { return *faceText_; }
    VtButton& Arrow() { return *arrow_; }
    DropDownPanel& DropDown() { return *dropDown_; }

private:
    void Choose(int index);
    // Alt+Down or F4 opens and closes the list; Up and Down move through an
    // open list, Enter chooses there; on a closed list they choose at once.
    bool Key(WORD key, TShiftState shift);
    void ShowFaceText();
    void ApplyTextColor();

    // The parts are on the form but belong to the row.
    std::unique_ptr<TLabel> title_;
    std::unique_ptr<TImage> face_;
    std::unique_ptr<TLabel> faceText_;
    std::unique_ptr<VtButton> arrow_;
    std::unique_ptr<DropDownPanel> dropDown_;
    std::vector<std::string> items_;
    int selected_ = -1;
    bool enabled_ = true;
    bool alert_ = false;
    int pressHook_ = 0;
};
