#pragma once
// The open list of an option row: a borderless panel drawn from the form's
// list artwork, holding the entries one under another in a fixed entry
// height, each text with a soft shadow. When the entries do not fit, a slim
// bar at the right of the list scrolls them. Screen readers see a list of
// its entries, the highlighted one selected and focused.

#include "framework/TWinControl.h"
#include "framework/access/TAccItem.h"
#include "framework/graphics/Canvas.h"
#include "kelp/widget/layout/ItemPainters.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TAdvancedSetting;

class DropDownPanel : public TWinControl {
public:
    static constexpr int kEntryHeight = 18;
    static constexpr int kMinListHeight = 30;
    static constexpr int kMaxListHeight = 90;
    // The list's place inside the panel.
    static constexpr int kListLeft = 1;
    static constexpr int kListTop = 8;

    DropDownPanel(TAdvancedSetting& form, const std::string& language);

    // Sizes the panel for the entries, puts it at (left, top) of the form,
    // highlights the chosen entry and scrolls it into view, and shows it.
    void Open(const std::vector<std::string>& entries, int chosen, int left, int top, int width);
    void Close();
    bool IsOpen() const { return Visible(); }

    // The list's area in panel coordinates and the entry at a panel point
    // (-1 outside the entries).
    RECT ListRect() const;
    int EntryAt(int x, int y) const;
    int TopIndex() const { return top_; }
    int VisibleCount() const;
    void ScrollBy(int entries);
    int Highlighted() const { return highlighted_; }
    // Moves the highlight by entries (clamped to the list) and scrolls it
    // into view.
    void MoveHighlight(int entries);

    std::vector<TAccessible*> AccChildren() const override;

    // Fired with the entry the user clicked.
    std::function<void(int index)> OnChoose;

protected:
    void PaintWindow(HDC dc) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;

private:
    bool Scrolls() const;
    RECT ScrollBarRect() const;
    void PaintList(TCanvas& canvas);
    // Highlights the entry and tells screen readers.
    void Highlight(int index);
    TAccState EntryState(int index) const;
    RECT EntryScreenRect(int index);

    TAdvancedSetting& form_;
    std::vector<std::string> entries_;
    std::vector<std::unique_ptr<TAccItem>> items_;
    int highlighted_ = -1;
    int top_ = 0;
    std::shared_ptr<kelp::ShadowTextPainter> painter_;
    TCanvas canvas_;
};
