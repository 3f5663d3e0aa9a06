#pragma once
// A skinned slider on the advanced-settings form: a title, a track with a
// thumb that carries the value text, and a grey picture shown in place of
// the track while the row is disabled. All parts are controls on the form,
// placed relative to the title; MoveBy moves them together. The row owns
// its parts: they leave the form with it.

#include "framework/controls/TFocusStandIn.h"
#include "framework/controls/TImage.h"
#include "framework/controls/TLabel.h"
#include "kelp/System/Language.h"
#include "VtPackage/VtImage.h"

#include <functional>
#include <memory>
#include <string>

class TAdvancedSetting;

class SliderRow {
public:
    // graphicsStyle gives the graphics frequency look: its own thumb
    // pictures, a wider value, and thumb and value kept visible (greyed)
    // while disabled. language: as for OptionRow.
    SliderRow(TAdvancedSetting& form, int left, int top, bool graphicsStyle = false,
              const std::string& language = kelp::GetLanguageName());
    SliderRow(const SliderRow&) = delete;
    SliderRow& operator=(const SliderRow&) = delete;
    virtual ~SliderRow() = default;

    void SetTitle(const std::string& title);
    // Keeps the position within the new range.
    void SetRange(int min, int max);
    // Clamped to the range; fires no change event.
    void SetPosition(int position);
    int Position() const { return position_; }
    int Min() const { return min_; }
    int Max() const { return max_; }
    void SetValueText(std::function<std::string(int position)> valueText);
    void SetEnabled(bool enabled);
    bool Enabled() const { return enabled_; }
    void MoveBy(int dx, int dy);

    // Fired when the user moves the position (drag, track click or key).
    std::function<void()> OnChange;

    TLabel& Title() { return *title_; }
    TImage& Track() { return *track_; }
    VtImage& Thumb() { return *thumb_; }
    TLabel& Value() { return *value_; }
    TImage& Gray() { return *gray_; }
    // Takes the focus and the keys for the slider; screen readers see it as
    // the slider, named by the title and valued by the value text.
    TFocusStandIn& Keys() { return *keys_; }

private:
    void ThumbDown(TMouseButton button, int x);
    void ThumbMove(TShiftState shift, int x);
    void ThumbUp(TMouseButton button);
    void TrackDown(TMouseButton button, int x);
    void MoveTo(int position);
    bool Key(WORD key);
    void TakeFocus();
    RECT Area() const;
    void PlaceThumb(int offset);
    void ShowValue();
    void ApplyLook();
    int TrackLength() const;

    bool graphicsStyle_;
    // The parts are on the form but belong to the row.
    std::unique_ptr<TLabel> title_;
    std::unique_ptr<TImage> gray_;
    std::unique_ptr<TImage> track_;
    std::unique_ptr<VtImage> thumb_;
    std::unique_ptr<TLabel> value_;
    std::unique_ptr<TFocusStandIn> keys_;
    TBitmap enabledThumb_;
    TBitmap disabledThumb_;
    int min_ = 0;
    int max_ = 0;
    int position_ = 0;
    bool enabled_ = true;
    // Screen x of the press and the thumb's offset then, while dragging.
    bool dragging_ = false;
    int dragStartX_ = 0;
    int dragStartOffset_ = 0;
    std::function<std::string(int)> valueText_;
};

// The graphics frequency slider.
class GpuSliderRow : public SliderRow {
public:
    GpuSliderRow(TAdvancedSetting& form, int left, int top, const std::string& language = kelp::GetLanguageName())
        : SliderRow(form, left, top, true, language) {}
};
