#pragma once
// Replaces the metrics file whole: the text goes to a temporary file in the
// same folder, which is then renamed over the old file, so that a reader
// sees the old file or the new one, never a part.
//
// Security stance (the program runs elevated, the path is the policy's):
// every folder on the way must be a real folder, not a reparse point
// (junction, symbolic link, mount point) that could lead the write
// elsewhere; they stay open, undeletable and unrenamable, while the file is
// written. An existing target must be a plain file. The temporary file is
// created new, never opened through whatever may already sit at its name.

#include "metrics/MetricsPath.h"

#include <string_view>

namespace metrics {

enum class WriteOutcome {
    Written,
    MissingFolder,  // a folder on the way does not exist (or is a file)
    ReparsePoint,   // a folder on the way, or the target, is a reparse point
    NotPlainFile,   // the target is a folder or a device
    WriteFailed,    // creating, writing or renaming failed (a full disk, no access)
};

WriteOutcome ReplaceMetricsFile(const MetricsPath& path, std::string_view text);

const char* WriteOutcomeText(WriteOutcome outcome);

} // namespace metrics
