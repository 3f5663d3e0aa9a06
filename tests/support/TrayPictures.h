#pragma once
// Tells which of the program's tray icon files ("0.ico" to "3.ico" in a
// folder) a picture sent to the notification area is: each file is loaded
// at the size of the picture and its bits read as the shell's transport
// reads them, so that the same file gives the same bytes.

#include "tests/support/FakeNotificationArea.h"
#include "tests/support/NotifyRecord.h"

#include <windows.h>

#include <string>
#include <utility>

namespace traytest {

inline constexpr int kTrayIconFiles = 4;

class TrayPictures {
public:
    // folder ends with a backslash.
    explicit TrayPictures(std::string folder) : folder_(std::move(folder)) {}

    // The index of the file with exactly these bits; -1 when none has them.
    int IndexOf(const IconBits& picture) const;
    // The file's bits at this size; empty when it cannot be loaded.
    IconBits FileBits(int index, uint32_t width, uint32_t height) const;

private:
    std::string folder_;
};

// Waits until the area shows the owner's icon with the picture of file
// `index`; returns the index of the file last shown (-1: none of them, or
// no icon) so that a failure names what was shown instead.
int WaitForPicture(const FakeNotificationArea& area, HWND owner, UINT id, const TrayPictures& pictures, int index,
                   DWORD timeoutMs);

// The bits of an icon handle as Shell_NotifyIcon sends them.
IconBits ReadIconBits(HICON icon);

} // namespace traytest
