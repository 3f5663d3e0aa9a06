#include "board/core/StateChangeWatch.h"

namespace vboard {

namespace {
constexpr DWORD kChanges = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_SIZE;

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? "." : path.substr(0, slash);
}
} // namespace

StateChangeWatch::StateChangeWatch(const std::string& statePath)
    : handle_(FindFirstChangeNotificationA(FolderOf(statePath).c_str(), FALSE, kChanges))
{
}

StateChangeWatch::~StateChangeWatch()
{
    if (Watching())
        FindCloseChangeNotification(handle_);
}

bool StateChangeWatch::Wait(DWORD timeoutMs) const
{
    return Watching() && WaitForSingleObject(handle_, timeoutMs) == WAIT_OBJECT_0;
}

void StateChangeWatch::Rearm()
{
    if (Watching() && !FindNextChangeNotification(handle_)) {
        FindCloseChangeNotification(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }
}

} // namespace vboard
