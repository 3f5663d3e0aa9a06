#include "screens/automation/RuleList.h"

#include "framework/graphics/Canvas.h"

#include <algorithm>

namespace {

constexpr TColor kPlate = 0x001E1917;
constexpr TColor kEdge = 0x00100D0B;
constexpr TColor kStripe = 0x00221D1A;
constexpr TColor kChosen = 0x006A5641;
constexpr TColor kChosenUnfocused = 0x00403430;
constexpr TColor kAccent = 0x00F7C34F;
constexpr TColor kSecondary = 0x00AEA39A;
constexpr TColor kDanger = 0x003E50E0;
// The marker column of entries that are not valid.
constexpr int kMarkerLeft = 6;
constexpr int kInset = 1;

std::string Joined(const TRuleListRow& row)
{
    std::string text;
    for (const std::string& cell : row.cells) {
        if (cell.empty())
            continue;
        if (!text.empty())
            text += ", ";
        text += cell;
    }
    return text;
}

} // namespace

// A row as screen readers see it: a list item named by its cells, with the
// entry's problem as its description.
class TRuleList::Item final : public TAccessible {
public:
    Item(TRuleList& list, int index) : list_(list), index_(index) {}
    ~Item() override { AccDetach(); }

    TAccRole AccRole() const override { return TAccRole::ListItem; }
    std::string AccName() const override { return Joined(list_.rows_.at(index_)); }
    std::string AccDescription() const override { return list_.rows_.at(index_).problem; }
    TAccState AccState() const override
    {
        TAccState state = asSelectable | asFocusable;
        if (index_ == list_.selected_) {
            state |= asSelected;
            if (list_.focused_)
                state |= asFocused;
        }
        if (index_ < list_.first_ || index_ >= list_.first_ + list_.VisibleRows())
            state |= asInvisible;
        return state;
    }
    RECT AccScreenRect() const override
    {
        RECT rect = list_.RowRect(index_);
        if (list_.HandleAllocated())
            MapWindowPoints(const_cast<TRuleList&>(list_).Handle(), HWND_DESKTOP, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }
    TAccAction AccDefaultAction() const override { return TAccAction::Select; }
    bool AccDoDefaultAction() override
    {
        list_.Select(index_);
        return true;
    }
    TAccessible* AccParent() const override { return &list_; }
    HWND AccEventWindow(LONG& childId) const override
    {
        childId = index_ + 1;
        return list_.HandleAllocated() ? const_cast<TRuleList&>(list_).Handle() : nullptr;
    }

private:
    TRuleList& list_;
    int index_;
};

TRuleList::TRuleList(TComponent* owner) : TWinControl(owner)
{
    SetAccRole(TAccRole::List);
    SetTabStop(true);
    SetColor(kPlate);
    SetDoubleBuffered(true);
    font_.OnChange = [this](TObject*) { Invalidate(); };
}

TRuleList::~TRuleList()
{
    items_.clear();
}

void TRuleList::SetColumns(std::vector<int> lefts)
{
    columns_ = std::move(lefts);
    Invalidate();
}

void TRuleList::SetEmptyText(const std::string& text)
{
    empty_ = text;
    Invalidate();
}

void TRuleList::SetRows(std::vector<TRuleListRow> rows)
{
    rows_ = std::move(rows);
    // The items of rows that went are cut off from their clients.
    while (items_.size() > rows_.size())
        items_.pop_back();
    while (items_.size() < rows_.size())
        items_.push_back(std::make_unique<Item>(*this, int(items_.size())));
    if (selected_ >= int(rows_.size()))
        selected_ = int(rows_.size()) - 1;
    first_ = std::clamp(first_, 0, std::max(0, int(rows_.size()) - VisibleRows()));
    MakeVisible(selected_);
    Invalidate();
    AccNotify(EVENT_OBJECT_REORDER);
}

int TRuleList::VisibleRows() const
{
    return std::max(1, (Height() - 2 * kInset) / kRowHeight);
}

void TRuleList::Select(int row)
{
    row = rows_.empty() ? -1 : std::clamp(row, 0, int(rows_.size()) - 1);
    const bool changed = row != selected_;
    selected_ = row;
    MakeVisible(row);
    Invalidate();
    if (row >= 0) {
        items_[row]->AccNotify(EVENT_OBJECT_SELECTION);
        if (focused_)
            items_[row]->AccNotify(EVENT_OBJECT_FOCUS);
    }
    if (changed && OnSelect)
        OnSelect(row);
}

void TRuleList::MakeVisible(int row)
{
    if (row < 0)
        return;
    if (row < first_)
        first_ = row;
    else if (row >= first_ + VisibleRows())
        first_ = row - VisibleRows() + 1;
}

RECT TRuleList::RowRect(int row) const
{
    const int top = kInset + (row - first_) * kRowHeight;
    return {kInset, top, Width() - kInset, top + kRowHeight};
}

std::string TRuleList::AccValue() const
{
    return selected_ >= 0 ? Joined(rows_[selected_]) : std::string();
}

std::vector<TAccessible*> TRuleList::AccChildren() const
{
    std::vector<TAccessible*> children;
    for (const auto& item : items_)
        children.push_back(item.get());
    return children;
}

void TRuleList::KeyDown(WORD& key, TShiftState shift)
{
    TWinControl::KeyDown(key, shift);
    switch (key) {
    case VK_UP:
        Select(selected_ < 0 ? 0 : selected_ - 1);
        break;
    case VK_DOWN:
        Select(selected_ + 1);
        break;
    case VK_HOME:
        Select(0);
        break;
    case VK_END:
        Select(int(rows_.size()) - 1);
        break;
    case VK_PRIOR:
        Select(selected_ - VisibleRows());
        break;
    case VK_NEXT:
        Select(selected_ + VisibleRows());
        break;
    case VK_DELETE:
        if (selected_ >= 0 && OnDeleteKey)
            OnDeleteKey(selected_);
        break;
    default:
        return;
    }
    key = 0;
}

void TRuleList::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TWinControl::MouseDown(button, shift, x, y);
    SetFocus();
    const int row = first_ + (y - kInset) / kRowHeight;
    if (y >= kInset && row < int(rows_.size()))
        Select(row);
}

void TRuleList::WndProc(TMessage& message)
{
    if (message.Msg == WM_MOUSEWHEEL) {
        const int steps = GET_WHEEL_DELTA_WPARAM(message.WParam) / WHEEL_DELTA;
        first_ = std::clamp(first_ - steps, 0, std::max(0, int(rows_.size()) - VisibleRows()));
        Invalidate();
        return;
    }
    TWinControl::WndProc(message);
}

void TRuleList::DoEnter()
{
    focused_ = true;
    if (selected_ < 0 && !rows_.empty())
        Select(0);
    Invalidate();
    TWinControl::DoEnter();
}

void TRuleList::DoExit()
{
    focused_ = false;
    Invalidate();
    TWinControl::DoExit();
}

void TRuleList::PaintWindow(HDC dc)
{
    TCanvas canvas;
    canvas.SetHandle(dc);
    RECT area{0, 0, ClientWidth(), ClientHeight()};
    canvas.Brush().SetColor(focused_ && FocusCuesShown() ? kAccent : kEdge);
    canvas.FillRect(area);
    InflateRect(&area, -kInset, -kInset);
    canvas.Brush().SetColor(Color());
    canvas.FillRect(area);
    canvas.Font().Assign(font_);
    if (rows_.empty()) {
        canvas.Font().SetColor(kSecondary);
        canvas.Brush().SetStyle(TBrushStyle::Clear);
        canvas.DrawText(empty_, area, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        canvas.SetHandle(nullptr);
        return;
    }
    const int last = std::min(int(rows_.size()), first_ + VisibleRows());
    for (int row = first_; row < last; ++row) {
        RECT rect = RowRect(row);
        const TColor fill = row == selected_ ? (focused_ ? kChosen : kChosenUnfocused) : row % 2 ? kStripe : Color();
        canvas.Brush().SetStyle(TBrushStyle::Solid);
        canvas.Brush().SetColor(fill);
        canvas.FillRect(rect);
        canvas.Brush().SetStyle(TBrushStyle::Clear);
        const bool invalid = !rows_[row].problem.empty();
        canvas.Font().SetColor(invalid ? kDanger : font_.Color());
        if (invalid) {
            RECT marker{kMarkerLeft, rect.top, columns_.empty() ? 18 : columns_[0], rect.bottom};
            canvas.Font().SetStyle(fsBold);
            canvas.DrawText("!", marker, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
            canvas.Font().SetStyle(font_.Style());
        }
        const std::vector<std::string>& cells = rows_[row].cells;
        for (size_t c = 0; c < cells.size() && c < columns_.size(); ++c) {
            const int right = c + 1 < columns_.size() ? columns_[c + 1] - 6 : int(rect.right) - 4;
            RECT cell{columns_[c], rect.top, right, rect.bottom};
            // Paths keep their file name in view.
            const UINT ellipsis = c == 0 ? DT_PATH_ELLIPSIS : DT_END_ELLIPSIS;
            canvas.DrawText(cells[c], cell, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | ellipsis);
        }
    }
    canvas.SetHandle(nullptr);
}
