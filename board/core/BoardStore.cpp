#include "board/core/BoardStore.h"

#include "board/core/BoardLock.h"
#include "board/core/BoardPaths.h"
#include "board/core/BoardProfile.h"
#include "board/core/Checksum.h"
#include "board/core/DecodedStateCache.h"
#include "board/core/FileText.h"
#include "kelp/System/Trace.h"

#include <cstdio>

namespace vboard {
namespace {
constexpr unsigned kFormatVersion = 1;
const char kMagic[] = "VBOARD-STATE";
} // namespace

std::string EncodeState(const BoardState& state)
{
    std::string body = state.ToDocument().ToText();
    char header[96];
    std::snprintf(header, sizeof header, "%s %u %08X %u\n", kMagic, kFormatVersion,
                  static_cast<unsigned>(Crc32(body)), static_cast<unsigned>(body.size()));
    return header + body;
}

bool DecodeState(const std::string& text, BoardState& state, std::string& reason)
{
    size_t newline = text.find('\n');
    if (newline == std::string::npos) {
        reason = "has no header";
        return false;
    }
    char magic[16] = {};
    unsigned version = 0, crc = 0, length = 0;
    std::string header = text.substr(0, newline);
    if (std::sscanf(header.c_str(), "%15s %u %8X %u", magic, &version, &crc, &length) != 4 ||
        std::string(magic) != kMagic) {
        reason = "has a malformed header";
        return false;
    }
    if (version != kFormatVersion) {
        reason = "has format version " + std::to_string(version);
        return false;
    }
    std::string body = text.substr(newline + 1);
    if (body.size() != length) {
        reason = "is truncated or padded (" + std::to_string(body.size()) + " of " + std::to_string(length) + " bytes)";
        return false;
    }
    if (Crc32(body) != crc) {
        reason = "fails its checksum";
        return false;
    }
    IniDocument document;
    BoardState decoded;
    std::string error;
    if (!document.Parse(body, error) || !decoded.Apply(document, error)) {
        reason = "is unreadable: " + error;
        return false;
    }
    state = std::move(decoded);
    return true;
}

BoardStore::BoardStore() : path_(StatePath()) {}

BoardStore::BoardStore(std::string statePath) : path_(std::move(statePath)) {}

BoardState BoardStore::ReadLocked(std::string* fileText) const
{
    BoardState state;
    std::string text, reason;
    DecodedStateCache& cache = DecodedStateCache::Instance();
    bool intact = false;
    if (!ReadFileText(path_, text))
        reason = "is missing";
    else if (cache.Find(path_, text, state))
        intact = true;
    else if (DecodeState(text, state, reason)) {
        cache.Keep(path_, text, state);
        intact = true;
    }
    if (intact) {
        if (fileText)
            *fileText = std::move(text);
        return state;
    }

    std::string profile = DefaultProfileName(), error;
    if (!vboard::LoadProfile(profile, state, error)) {
        // Not persisted: the next access tries the profile again.
        kelp::Trace("~~~[VirtualBoard] state %s %s; profile %s unusable (%s), board is empty", path_.c_str(),
                    reason.c_str(), profile.c_str(), error.c_str());
        return BoardState{};
    }
    kelp::Trace("~~~[VirtualBoard] state %s %s; rebuilt from profile %s", path_.c_str(), reason.c_str(),
                profile.c_str());
    WriteLocked(EncodeState(state));
    return state;
}

bool BoardStore::WriteLocked(const std::string& text) const
{
    if (ReplaceFileText(path_, text))
        return true;
    kelp::Trace("~~~[VirtualBoard] cannot write state %s (%lu)", path_.c_str(), GetLastError());
    return false;
}

bool BoardStore::Read(BoardState& state) const
{
    BoardLock lock(path_);
    if (!lock.Held())
        return false;
    state = ReadLocked();
    return true;
}

bool BoardStore::Inspect(const std::function<void(const BoardState&)>& look) const
{
    // Locked like every access: a reader holding the file open would make a
    // writer's replacement of it fail.
    BoardLock lock(path_);
    if (!lock.Held())
        return false;
    std::string text;
    if (!ReadFileText(path_, text) || !DecodedStateCache::Instance().Visit(path_, text, look))
        look(ReadLocked());
    return true;
}

bool BoardStore::Update(const std::function<bool(BoardState&)>& change)
{
    BoardLock lock(path_);
    if (!lock.Held())
        return false;
    std::string before;
    BoardState state = ReadLocked(&before);
    if (!change(state))
        return false;
    // A change that leaves the state as it was needs no write: replacing the
    // file makes every reader decode it anew.
    const std::string after = EncodeState(state);
    if (after == before)
        return true;
    if (!WriteLocked(after))
        return false;
    // This process's next access then finds the text it has just written
    // already decoded.
    DecodedStateCache::Instance().Keep(path_, after, state);
    return true;
}

bool BoardStore::LoadProfile(const std::string& name, std::string& error)
{
    BoardState state;
    if (!vboard::LoadProfile(name, state, error))
        return false;
    BoardLock lock(path_);
    if (!lock.Held()) {
        error = "board lock not available";
        return false;
    }
    if (!WriteLocked(EncodeState(state))) {
        error = "cannot write " + path_;
        return false;
    }
    return true;
}

} // namespace vboard
