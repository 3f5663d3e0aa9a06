#pragma once
// The plain notice used for failures of outside libraries and for refusals:
// OK button only, no owner window, blocks until dismissed.

namespace kelp {

void ShowMessage(const char* text, const char* caption);

} // namespace kelp
