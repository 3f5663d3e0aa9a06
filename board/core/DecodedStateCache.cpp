#include "board/core/DecodedStateCache.h"

namespace vboard {

DecodedStateCache& DecodedStateCache::Instance()
{
    static DecodedStateCache cache;
    return cache;
}

bool DecodedStateCache::Find(const std::string& path, const std::string& text, BoardState& state)
{
    std::lock_guard<std::mutex> hold(lock_);
    if (path != path_ || text != text_)
        return false;
    state = state_;
    return true;
}

bool DecodedStateCache::Visit(const std::string& path, const std::string& text,
                              const std::function<void(const BoardState&)>& look)
{
    std::lock_guard<std::mutex> hold(lock_);
    if (path != path_ || text != text_)
        return false;
    look(state_);
    return true;
}

void DecodedStateCache::Keep(const std::string& path, const std::string& text, const BoardState& state)
{
    std::lock_guard<std::mutex> hold(lock_);
    path_ = path;
    text_ = text;
    state_ = state;
}

} // namespace vboard
