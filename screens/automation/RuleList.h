#pragma once
// The list of a tab's entries: one row per entry in columns, the chosen row
// lit, an entry that is not valid marked and written in the danger colour.
// The arrow keys, Home and End choose, Delete asks for the chosen row's
// removal; screen readers see a list whose items are the rows.

#include "framework/TWinControl.h"
#include "framework/graphics/Font.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

struct TRuleListRow {
    std::vector<std::string> cells;
    // Why the entry is not valid; empty for a valid one.
    std::string problem;
};

class TRuleList : public TWinControl {
public:
    static constexpr int kRowHeight = 21;

    explicit TRuleList(TComponent* owner);
    ~TRuleList() override;

    TFont& Font() { return font_; }
    // The left edge of each column after the marker's, in client pixels.
    void SetColumns(std::vector<int> lefts);
    // Shown when there are no rows.
    void SetEmptyText(const std::string& text);
    void SetRows(std::vector<TRuleListRow> rows);
    const std::vector<TRuleListRow>& Rows() const { return rows_; }
    // -1: none.
    int Selected() const { return selected_; }
    void Select(int row);
    int VisibleRows() const;
    int FirstVisible() const { return first_; }

    // The chosen row changed (by the user or by Select).
    std::function<void(int row)> OnSelect;
    // Delete was pressed on a chosen row.
    std::function<void(int row)> OnDeleteKey;

    std::vector<TAccessible*> AccChildren() const override;
    std::string AccValue() const override;

protected:
    void KeyDown(WORD& key, TShiftState shift) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void WndProc(TMessage& message) override;
    void PaintWindow(HDC dc) override;
    void DoEnter() override;
    void DoExit() override;

private:
    class Item;
    void MakeVisible(int row);
    RECT RowRect(int row) const;

    std::vector<TRuleListRow> rows_;
    std::vector<std::unique_ptr<Item>> items_;
    std::vector<int> columns_;
    std::string empty_;
    int selected_ = -1;
    int first_ = 0;
    bool focused_ = false;
    TFont font_;
};
