#include "screens/advancedsetting/OptionRow.h"

#include "framework/TApplication.h"
#include "kelp/System/Language.h"
#include "screens/advancedsetting/ComboArrow.h"
#include "screens/advancedsetting/DropDownPanel.h"
#include "screens/advancedsetting/RowText.h"
#include "screens/advancedsetting/TAdvancedSetting.h"
#include "screens/dialogs/DialogFonts.h"

#include <algorithm>

namespace {

// Part offsets from the title's top-left corner.
constexpr int kFaceX = 1, kFaceY = 20;
constexpr int kArrowX = 136, kArrowY = 23;
constexpr int kDropDownX = -9, kDropDownY = 31;
// The open list is this much wider than the face.
constexpr int kDropDownExtraWidth = 19;

bool Inside(HWND window, HWND target)
{
    return window && (target == window || IsChild(window, target));
}

// The row whose list is open, if any: at most one list is open at a time.
// Created on first use, it hooks the application's deactivation once for
// the process (the handler found there runs after it).
OptionRow*& OpenRow()
{
    static OptionRow* open = [] {
        TNotifyEvent previous = Application().OnDeactivate;
        Application().OnDeactivate = [previous](TObject* sender) {
            if (OpenRow())
                OpenRow()->Close();
            if (previous)
                previous(sender);
        };
        return static_cast<OptionRow*>(nullptr);
    }();
    return open;
}

} // namespace

OptionRow::OptionRow(TAdvancedSetting& form, int left, int top, const std::string& language)
{
    title_ = rowtext::CreateTitle(form, left, top, language);

    face_ = std::make_unique<TImage>(nullptr);
    face_->SetParent(&form);
    face_->SetPicture(form.ComboBoxBk->Picture());
    face_->SetTransparent(true);
    face_->SetAutoSize(true);
    face_->SetLeft(left + kFaceX);
    face_->SetTop(top + kFaceY);

    const bool smallText = language == "French" || language == "German";
    faceText_ = rowtext::CreateLabel(form, face_->Left() + 1, face_->Top() + (smallText ? 3 : 2), 144, 17,
                                     rowtext::kLightColor);
    if (smallText)
        faceText_->Font().SetHeight(-12);
    if (language == "Japanese")
        faceText_->Font().SetCharset(dialogs::kShiftJisCharset);

    arrow_ = std::make_unique<ComboArrow>(
        nullptr, ComboArrow::Facts{[this] { return title_->Caption(); },
                                   [this] { return selected_ >= 0 ? items_[selected_] : std::string(); },
                                   [this] { return IsOpen(); },
                                   [this](WORD key, TShiftState shift) { return Key(key, shift); },
                                   [this] { return face_->BoundsRect(); }});
    arrow_->SetParent(&form);
    arrow_->SetTransparent(true);
    arrow_->Appearance().SetRaisedBmp(form.Arrow_n->Picture());
    arrow_->Appearance().SetFocusedBmp(form.Arrow_o->Picture());
    arrow_->Appearance().SetSunkenBmp(form.Arrow_d->Picture());
    arrow_->Appearance().SetDisabledBmp(form.Arrow_un->Picture());
    arrow_->SetLeft(left + kArrowX);
    arrow_->SetTop(top + kArrowY);
    arrow_->SetCursor(crHandPoint);
    arrow_->OnClick = [this](TObject*) { IsOpen() ? Close() : Open(); };
    // The face opens the list as well; while the list is open a press on it
    // closes the list like any press outside.
    face_->OnClick = [this](TObject*) { Open(); };
    faceText_->OnClick = [this](TObject*) { Open(); };
    SetEnabled(true);

    dropDown_ = std::make_unique<DropDownPanel>(form, language);
    dropDown_->OnChoose = [this](int index) { Choose(index); };
}

OptionRow::~OptionRow()
{
    Close();
}

void OptionRow::SetTitle(const std::string& title)
{
    rowtext::SetTitle(*title_, title);
}

void OptionRow::SetAlert(bool alert)
{
    alert_ = alert;
    ApplyTextColor();
}

void OptionRow::SetItems(std::vector<std::string> items)
{
    Close();
    items_ = std::move(items);
    selected_ = items_.empty() ? -1 : 0;
    ShowFaceText();
}

void OptionRow::Select(int index)
{
    if (items_.empty())
        return;
    selected_ = std::clamp(index, 0, static_cast<int>(items_.size()) - 1);
    ShowFaceText();
}

void OptionRow::SetEnabled(bool enabled)
{
    enabled_ = enabled;
    if (!enabled)
        Close();
    arrow_->SetEnabled(enabled);
    face_->SetCursor(enabled ? crHandPoint : crDefault);
    faceText_->SetCursor(enabled ? crHandPoint : crDefault);
    ApplyTextColor();
}

bool OptionRow::IsOpen() const
{
    return dropDown_->IsOpen();
}

void OptionRow::Open()
{
    if (IsOpen() || !enabled_ || items_.empty())
        return;
    if (OpenRow())
        OpenRow()->Close();
    OpenRow() = this;
    dropDown_->Open(items_, selected_, title_->Left() + kDropDownX, title_->Top() + kDropDownY,
                    face_->Width() + kDropDownExtraWidth);
    // A left press outside the list and the arrow, and Escape, close the
    // list and go no further; the wheel scrolls the list wherever the mouse
    // is.
    pressHook_ = Application().AddMessageHook([this](MSG& msg, bool& handled) {
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
            Close();
            handled = true;
        } else if (msg.message == WM_MOUSEWHEEL) {
            dropDown_->ScrollBy(-GET_WHEEL_DELTA_WPARAM(msg.wParam) / WHEEL_DELTA);
            handled = true;
        } else if (msg.message == WM_LBUTTONDOWN || msg.message == WM_NCLBUTTONDOWN
                   || msg.message == WM_LBUTTONDBLCLK) {
            if (Inside(dropDown_->Handle(), msg.hwnd) || Inside(arrow_->Handle(), msg.hwnd))
                return;
            Close();
            handled = true;
        }
    });
}

void OptionRow::Close()
{
    if (!IsOpen())
        return;
    dropDown_->Close();
    Application().RemoveMessageHook(pressHook_);
    pressHook_ = 0;
    OpenRow() = nullptr;
}

bool OptionRow::Key(WORD key, TShiftState shift)
{
    const bool vertical = key == VK_UP || key == VK_DOWN;
    if ((vertical && (shift & ssAlt)) || key == VK_F4) {
        IsOpen() ? Close() : Open();
        return true;
    }
    if (!enabled_ || items_.empty())
        return false;
    const int step = key == VK_DOWN ? 1 : -1;
    if (IsOpen()) {
        if (vertical)
            dropDown_->MoveHighlight(step);
        else if (key == VK_RETURN && dropDown_->Highlighted() >= 0)
            Choose(dropDown_->Highlighted());
        else
            return false;
        return true;
    }
    // A closed list steps through its entries as a standard one does.
    if (!vertical)
        return false;
    const int index = std::clamp(selected_ + step, 0, static_cast<int>(items_.size()) - 1);
    if (index != selected_)
        Choose(index);
    return true;
}

void OptionRow::Choose(int index)
{
    Select(index);
    Close();
    if (OnChange)
        OnChange();
}

void OptionRow::ShowFaceText()
{
    // The arrow covers the face's right end: the text ends before it.
    const int visible = kArrowX - kFaceX - 3;
    faceText_->SetCaption(selected_ >= 0 ? rowtext::FitText(faceText_->Font(), items_[selected_], visible) : std::string());
    arrow_->AccNotify(EVENT_OBJECT_VALUECHANGE);
}

void OptionRow::ApplyTextColor()
{
    // The missing-feature red wins over the disabled grey: it says why.
    const TColor color = alert_ ? rowtext::kAlertColor : enabled_ ? rowtext::kLightColor : rowtext::kGreyColor;
    faceText_->Font().SetColor(color);
}
