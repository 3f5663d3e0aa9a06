#pragma once
// Gear_Flag around the mode changes. The flag is set while any change is
// in flight: an overtaken change that ends while a newer one still runs
// leaves it set. An exit that can wait no longer for a change abandons the
// guard: the flag is cleared for good, and the change that the end of the
// process cuts off can set it no more.

namespace ModeChangeGuard {
// Sets the flag; false (flag left alone) once the guard was abandoned.
bool Mark();
// One change fewer in flight; the last one clears the flag, unless the
// guard was abandoned (it is clear then).
void Clear();
void Abandon();
} // namespace ModeChangeGuard
