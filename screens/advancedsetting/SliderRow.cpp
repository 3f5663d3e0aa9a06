#include "screens/advancedsetting/SliderRow.h"

#include "framework/controls/RangeKeys.h"
#include "framework/system/ExecutableFolder.h"
#include "kelp/Graphics/PngReader.h"
#include "screens/advancedsetting/RowText.h"
#include "screens/advancedsetting/SliderGeometry.h"
#include "screens/advancedsetting/TAdvancedSetting.h"

#include <algorithm>

namespace {

// Part offsets from the title's top-left corner.
constexpr int kTrackX = 1, kTrackY = 22;
constexpr int kThumbX = -4, kThumbY = 24;
// The thumb travels over this width minus its own.
constexpr int kTravel = 336;

constexpr TColor kGpuDisabledValue = RGB(170, 170, 170);

std::unique_ptr<TImage> CreateImage(TAdvancedSetting& form, const TBitmap& picture, int left, int top)
{
    auto image = std::make_unique<TImage>(nullptr);
    image->SetParent(&form);
    image->SetPicture(picture);
    image->SetTransparent(true);
    image->SetAutoSize(true);
    image->SetLeft(left);
    image->SetTop(top);
    return image;
}

std::string ResourceFile(const char* name)
{
    return ExecutableFolder() + "Resource\\" + name;
}

} // namespace

SliderRow::SliderRow(TAdvancedSetting& form, int left, int top, bool graphicsStyle, const std::string& language)
    : graphicsStyle_(graphicsStyle)
{
    title_ = rowtext::CreateTitle(form, left, top, language);
    if (graphicsStyle_)
        gray_ = CreateImage(form, form.GraySliderSave2->Picture(), left - 16, top + 16);
    else
        gray_ = CreateImage(form, form.GraySliderSave->Picture(), left - 12, top + 21);
    track_ = CreateImage(form, form.GrayAreaSave->Picture(), left + kTrackX, top + kTrackY);

    kelp::DeferPngPicture(ResourceFile(graphicsStyle_ ? "s_o02.png" : "s_n.png"), enabledThumb_);
    if (graphicsStyle_)
        kelp::DeferPngPicture(ResourceFile("s_un02.png"), disabledThumb_);
    thumb_ = std::make_unique<VtImage>(nullptr);
    thumb_->SetParent(&form);
    thumb_->SetAutoSize(true);
    thumb_->SetAlphaChannel(true);
    thumb_->SetPicture(enabledThumb_);
    thumb_->SetLeft(left + kThumbX);
    thumb_->SetTop(top + kThumbY);

    value_ = rowtext::CreateLabel(form, thumb_->Left() + 2, thumb_->Top(), graphicsStyle_ ? 65 : 40, 18,
                                  rowtext::kLightColor);
    value_->SetAlignment(DT_CENTER);

    for (TControl* handle : {static_cast<TControl*>(thumb_.get()), static_cast<TControl*>(value_.get())}) {
        handle->OnMouseDown = [this, handle](TObject*, TMouseButton button, TShiftState, int x, int) {
            ThumbDown(button, handle->Left() + x);
        };
        handle->OnMouseMove = [this, handle](TObject*, TShiftState shift, int x, int) {
            ThumbMove(shift, handle->Left() + x);
        };
        handle->OnMouseUp = [this](TObject*, TMouseButton button, TShiftState, int, int) { ThumbUp(button); };
    }
    track_->OnMouseDown = [this](TObject*, TMouseButton button, TShiftState, int x, int) {
        TrackDown(button, track_->Left() + x);
    };

    keys_ = std::make_unique<TFocusStandIn>(
        nullptr, TAccRole::Slider,
        TFocusStandIn::Parts{[this] { return title_->Caption(); }, [this] { return value_->Caption(); },
                             [this] { return Area(); },
                             [this](WORD key, TShiftState) { return Key(key); }});
    keys_->SetParent(&form);
    const RECT area = Area();
    keys_->SetBounds(area.left, area.top, area.right - area.left, area.bottom - area.top);
    ApplyLook();
}

void SliderRow::SetTitle(const std::string& title)
{
    rowtext::SetTitle(*title_, title);
}

void SliderRow::SetRange(int min, int max)
{
    min_ = min;
    max_ = std::max(min, max);
    SetPosition(position_);
}

void SliderRow::SetPosition(int position)
{
    position_ = std::clamp(position, min_, max_);
    PlaceThumb(slider::PositionToOffset(position_, min_, max_, TrackLength()));
    ShowValue();
}

void SliderRow::SetValueText(std::function<std::string(int position)> valueText)
{
    valueText_ = std::move(valueText);
    ShowValue();
}

void SliderRow::SetEnabled(bool enabled)
{
    enabled_ = enabled;
    dragging_ = false;
    ApplyLook();
}

void SliderRow::MoveBy(int dx, int dy)
{
    for (TControl* part : {static_cast<TControl*>(title_.get()), static_cast<TControl*>(gray_.get()),
                           static_cast<TControl*>(track_.get()), static_cast<TControl*>(thumb_.get()),
                           static_cast<TControl*>(value_.get()), static_cast<TControl*>(keys_.get())})
        part->SetBounds(part->Left() + dx, part->Top() + dy, part->Width(), part->Height());
}

int SliderRow::TrackLength() const
{
    return kTravel - thumb_->Width();
}

RECT SliderRow::Area() const
{
    // The rail with the thumb's whole travel.
    const int left = title_->Left() + kThumbX, top = title_->Top() + kTrackY - 1;
    return RECT{left, top, left + kTravel, top + thumb_->Height() + 4};
}

void SliderRow::TakeFocus()
{
    if (keys_->CanFocus() && !keys_->Focused())
        keys_->SetFocus();
}

bool SliderRow::Key(WORD key)
{
    if (!enabled_)
        return false;
    const std::optional<int> target = RangeKeyTarget(key, position_, min_, max_);
    if (!target)
        return false;
    MoveTo(*target);
    return true;
}

void SliderRow::ThumbDown(TMouseButton button, int formX)
{
    if (!enabled_ || button != TMouseButton::Left)
        return;
    TakeFocus();
    dragging_ = true;
    dragStartX_ = formX;
    dragStartOffset_ = thumb_->Left() - (title_->Left() + kThumbX);
}

void SliderRow::ThumbMove(TShiftState shift, int formX)
{
    if (!dragging_ || !(shift & ssLeft))
        return;
    const int length = TrackLength();
    const int offset = std::clamp(dragStartOffset_ + formX - dragStartX_, 0, length);
    PlaceThumb(offset);
    const int position = slider::OffsetToPosition(offset, min_, max_, length);
    if (position != position_) {
        position_ = position;
        ShowValue();
        if (OnChange)
            OnChange();
    }
}

void SliderRow::ThumbUp(TMouseButton button)
{
    if (!dragging_ || button != TMouseButton::Left)
        return;
    dragging_ = false;
    SetPosition(position_);
}

void SliderRow::TrackDown(TMouseButton button, int formX)
{
    if (!enabled_ || button != TMouseButton::Left)
        return;
    TakeFocus();
    // One step toward the click: left of the thumb's middle goes down.
    const int thumbMiddle = thumb_->Left() + thumb_->Width() / 2;
    if (formX < thumbMiddle)
        MoveTo(position_ - 1);
    else if (formX > thumbMiddle)
        MoveTo(position_ + 1);
}

void SliderRow::MoveTo(int position)
{
    const int before = position_;
    SetPosition(position);
    if (position_ != before && OnChange)
        OnChange();
}

void SliderRow::PlaceThumb(int offset)
{
    thumb_->SetLeft(title_->Left() + kThumbX + offset);
    value_->SetLeft(thumb_->Left() + 2);
}

void SliderRow::ShowValue()
{
    const std::string text = valueText_ ? valueText_(position_) : std::to_string(position_);
    if (text == value_->Caption())
        return;
    value_->SetCaption(text);
    if (keys_)
        keys_->AccNotify(EVENT_OBJECT_VALUECHANGE);
}

void SliderRow::ApplyLook()
{
    keys_->SetEnabled(enabled_);
    gray_->SetVisible(!enabled_);
    track_->SetVisible(enabled_);
    if (graphicsStyle_) {
        // The graphics slider keeps its thumb and value, greyed.
        thumb_->SetPicture(enabled_ ? enabledThumb_ : disabledThumb_);
        value_->Font().SetColor(enabled_ ? clWhite : kGpuDisabledValue);
    } else {
        thumb_->SetVisible(enabled_);
        value_->SetVisible(enabled_);
    }
}
