#include "board/core/DecodedStateCache.h"

namespace vboard {

DecodedStateCache& DecodedStateCache::Instance()
{
    static DecodedStateCache cache;
    return cache;
}

bool DecodedStateCache::Find(const std::string& path, const FileStamp& stamp, BoardState& state, std::string* text)
{
    std::lock_guard<std::mutex> hold(lock_);
    if (!IsKept(path, stamp))
        return false;
    state = state_;
    if (text)
        *text = text_;
    return true;
}

bool DecodedStateCache::Visit(const std::string& path, const FileStamp& stamp,
                              const std::function<void(const BoardState&)>& look)
{
    std::lock_guard<std::mutex> hold(lock_);
    if (!IsKept(path, stamp))
        return false;
    look(state_);
    return true;
}

bool DecodedStateCache::Restamp(const std::string& path, const std::string& text, const FileStamp& stamp,
                                BoardState& state)
{
    std::lock_guard<std::mutex> hold(lock_);
    if (path != path_ || text != text_)
        return false;
    stamp_ = stamp;
    state = state_;
    return true;
}

void DecodedStateCache::Keep(const std::string& path, const FileStamp& stamp, const std::string& text,
                             const BoardState& state)
{
    std::lock_guard<std::mutex> hold(lock_);
    path_ = path;
    stamp_ = stamp;
    text_ = text;
    state_ = state;
}

} // namespace vboard
