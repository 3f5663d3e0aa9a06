#include "board/core/StateCache.h"

#include <mutex>

namespace vboard {
namespace {
struct Entry {
    // Threads of one process may use different state files at once; each
    // file's own board lock does not cover this entry.
    std::mutex lock;
    std::string path;
    std::string text;
    BoardState state;
};

Entry& Last()
{
    static Entry entry;
    return entry;
}
} // namespace

bool StateCache::Find(const std::string& path, const std::string& text, BoardState& state)
{
    Entry& entry = Last();
    std::lock_guard guard(entry.lock);
    if (entry.path != path || entry.text != text)
        return false;
    state = entry.state;
    return true;
}

void StateCache::Remember(const std::string& path, const std::string& text, const BoardState& state)
{
    Entry& entry = Last();
    std::lock_guard guard(entry.lock);
    entry.path = path;
    entry.text = text;
    entry.state = state;
}

} // namespace vboard
