#include "screens/advancedsetting/DropDownPanel.h"

#include "screens/advancedsetting/RowText.h"
#include "screens/advancedsetting/TAdvancedSetting.h"
#include "screens/dialogs/DialogFonts.h"

#include <algorithm>

namespace {

constexpr TColor kListColor = RGB(103, 121, 132);
constexpr TColor kHighlightColor = RGB(65, 86, 106);
constexpr TColor kScrollThumbColor = RGB(160, 176, 186);
// Room kept beside the list and below it inside the panel.
constexpr int kRightMargin = 3;
constexpr int kBottomMargin = 5;
constexpr int kScrollBarWidth = 6;
constexpr int kTextLeft = 8;
constexpr int kTextRight = 4;

} // namespace

DropDownPanel::DropDownPanel(TAdvancedSetting& form, const std::string& language)
    : TWinControl(nullptr), form_(form), painter_(kelp::ShadowTextPainter::Create())
{
    SetVisible(false);
    SetParent(&form);
    SetDoubleBuffered(true);
    SetAccRole(TAccRole::List);
    canvas_.Font().SetName("Arial");
    canvas_.Font().SetHeight(-12);
    canvas_.Font().SetColor(rowtext::kLightColor);
    if (language == "Japanese")
        canvas_.Font().SetCharset(dialogs::kShiftJisCharset);
    else if (language == "French")
        canvas_.Font().SetHeight(12);
}

void DropDownPanel::Open(const std::vector<std::string>& entries, int chosen, int left, int top, int width)
{
    entries_ = entries;
    const int count = static_cast<int>(entries_.size());
    items_.clear();
    for (int index = 0; index < count; ++index)
        items_.push_back(std::make_unique<TAccItem>(
            *this, TAccRole::ListItem,
            TAccItem::Facts{[this, index] { return entries_[index]; }, [this, index] { return EntryState(index); },
                            [this, index] { return EntryScreenRect(index); }}));
    const int listHeight = std::clamp(count * kEntryHeight, kMinListHeight, kMaxListHeight);
    SetBounds(left, top, width, kListTop + listHeight + kBottomMargin);
    // The strip above the list lies over the row's face; leaving it out of
    // the window keeps the chosen entry readable while the list is open.
    SetWindowRgn(Handle(), CreateRectRgn(0, kListTop, Width(), Height()), TRUE); // the system owns the region
    highlighted_ = chosen;
    top_ = 0;
    ScrollBy(chosen - (VisibleCount() - 1)); // the chosen entry at the bottom at most
    SetVisible(true);
    BringToFront();
    Invalidate();
    Highlight(chosen);
}

std::vector<TAccessible*> DropDownPanel::AccChildren() const
{
    std::vector<TAccessible*> children;
    for (const auto& item : items_)
        children.push_back(item.get());
    return children;
}

TAccState DropDownPanel::EntryState(int index) const
{
    TAccState state = asSelectable | asFocusable;
    if (index == highlighted_)
        state |= asSelected | asFocused;
    if (!Showing() || index < top_ || index >= top_ + VisibleCount())
        state |= asInvisible;
    return state;
}

RECT DropDownPanel::EntryScreenRect(int index)
{
    const RECT list = ListRect();
    RECT rect{list.left, list.top + (index - top_) * kEntryHeight, list.right, list.top + (index - top_ + 1) * kEntryHeight};
    if (HandleAllocated()) {
        POINT origin{0, 0};
        ClientToScreen(Handle(), &origin);
        OffsetRect(&rect, origin.x, origin.y);
    }
    return rect;
}

void DropDownPanel::Highlight(int index)
{
    highlighted_ = index;
    if (index >= 0 && index < static_cast<int>(items_.size())) {
        items_[index]->AccNotify(EVENT_OBJECT_FOCUS);
        items_[index]->AccNotify(EVENT_OBJECT_SELECTION);
    }
}

void DropDownPanel::Close()
{
    SetVisible(false);
}

RECT DropDownPanel::ListRect() const
{
    return {kListLeft, kListTop, Width() - kRightMargin, Height() - kBottomMargin};
}

int DropDownPanel::VisibleCount() const
{
    const RECT list = ListRect();
    return std::max(1, static_cast<int>((list.bottom - list.top) / kEntryHeight));
}

bool DropDownPanel::Scrolls() const
{
    return static_cast<int>(entries_.size()) > VisibleCount();
}

RECT DropDownPanel::ScrollBarRect() const
{
    const RECT list = ListRect();
    return {list.right - kScrollBarWidth, list.top, list.right, list.bottom};
}

void DropDownPanel::ScrollBy(int entries)
{
    const int last = std::max(0, static_cast<int>(entries_.size()) - VisibleCount());
    const int top = std::clamp(top_ + entries, 0, last);
    if (top == top_)
        return;
    top_ = top;
    Invalidate();
}

void DropDownPanel::MoveHighlight(int entries)
{
    if (entries_.empty())
        return;
    highlighted_ = std::clamp(highlighted_ + entries, 0, static_cast<int>(entries_.size()) - 1);
    if (highlighted_ < top_)
        ScrollBy(highlighted_ - top_);
    else if (highlighted_ >= top_ + VisibleCount())
        ScrollBy(highlighted_ - (top_ + VisibleCount() - 1));
    Invalidate();
    Highlight(highlighted_);
}

int DropDownPanel::EntryAt(int x, int y) const
{
    const RECT list = ListRect();
    const int right = Scrolls() ? ScrollBarRect().left : list.right;
    if (x < list.left || x >= right || y < list.top || y >= list.bottom)
        return -1;
    const int index = top_ + (y - list.top) / kEntryHeight;
    return index < static_cast<int>(entries_.size()) ? index : -1;
}

void DropDownPanel::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TWinControl::MouseDown(button, shift, x, y);
    if (button != TMouseButton::Left)
        return;
    const RECT bar = ScrollBarRect();
    if (Scrolls() && x >= bar.left && x < bar.right && y >= bar.top && y < bar.bottom) {
        // Above the middle pages up, below it pages down.
        ScrollBy(y < (bar.top + bar.bottom) / 2 ? -VisibleCount() : VisibleCount());
        return;
    }
    const int index = EntryAt(x, y);
    if (index >= 0 && OnChoose)
        OnChoose(index);
}

void DropDownPanel::MouseMove(TShiftState shift, int x, int y)
{
    TWinControl::MouseMove(shift, x, y);
    const int index = EntryAt(x, y);
    if (index >= 0 && index != highlighted_) {
        Highlight(index);
        Invalidate();
    }
}

void DropDownPanel::PaintWindow(HDC dc)
{
    canvas_.SetHandle(dc);
    TBitmap& body = form_.ComboBoxBody->Picture();
    TBitmap& bottom = form_.ComboBoxBottom->Picture();
    const int bodyBottom = Height() - bottom.Height();
    canvas_.StretchDraw({0, 0, Width(), bodyBottom}, body);
    canvas_.StretchDraw({0, bodyBottom, Width(), Height()}, bottom);
    PaintList(canvas_);
    canvas_.SetHandle(nullptr);
}

void DropDownPanel::PaintList(TCanvas& canvas)
{
    const RECT list = ListRect();
    canvas.Brush().SetStyle(TBrushStyle::Solid);
    canvas.Brush().SetColor(kListColor);
    canvas.FillRect(list);
    const int textRight = (Scrolls() ? ScrollBarRect().left : list.right) - kTextRight;
    for (int row = 0; row < VisibleCount(); ++row) {
        const int index = top_ + row;
        if (index >= static_cast<int>(entries_.size()))
            break;
        const int y = list.top + row * kEntryHeight;
        if (index == highlighted_) {
            canvas.Brush().SetColor(kHighlightColor);
            canvas.FillRect({list.left, y, textRight + kTextRight, y + kEntryHeight});
        }
        painter_->DrawText(canvas, entries_[index], {list.left + kTextLeft, y, textRight, y + kEntryHeight},
                           DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS, 0);
    }
    if (Scrolls()) {
        const RECT bar = ScrollBarRect();
        const int count = static_cast<int>(entries_.size());
        const int span = bar.bottom - bar.top;
        const int thumbTop = bar.top + span * top_ / count;
        const int thumbBottom = bar.top + span * (top_ + VisibleCount()) / count;
        canvas.Brush().SetColor(kScrollThumbColor);
        canvas.FillRect({bar.left + 1, thumbTop, bar.right - 1, thumbBottom});
    }
}
