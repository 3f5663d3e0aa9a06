#pragma once
// Value types shared by the standard kinds of control: the three states of
// a check box and the axis of a scroll bar or slider.

enum class TCheckBoxState { Unchecked, Checked, Grayed };

enum class TScrollBarKind { Horizontal, Vertical };
