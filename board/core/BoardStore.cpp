#include "board/core/BoardStore.h"

#include "board/core/BoardLock.h"
#include "board/core/BoardPaths.h"
#include "board/core/BoardProfile.h"
#include "board/core/Checksum.h"
#include "board/core/DecodedStateCache.h"
#include "board/core/FileText.h"
#include "framework/system/Trace.h"

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

BoardState BoardStore::LoadLocked(std::string* text) const
{
    DecodedStateCache& cache = DecodedStateCache::Instance();
    BoardState state;
    FileStamp stamp;
    if (ReadFileStamp(path_, stamp) && cache.Find(path_, stamp, state, text))
        return state;
    std::string fileText, reason;
    bool intact = false;
    if (!ReadFileText(path_, fileText, &stamp))
        reason = "is missing";
    else if (cache.Restamp(path_, fileText, stamp, state))
        intact = true;
    else if (DecodeState(fileText, state, reason)) {
        cache.Keep(path_, stamp, fileText, state);
        intact = true;
    }
    if (intact) {
        if (text)
            *text = std::move(fileText);
        return state;
    }

    std::string profile = DefaultProfileName(), error;
    if (!vboard::LoadProfile(profile, state, error)) {
        // Not persisted: the next access tries the profile again.
        Trace("~~~[VirtualBoard] state %s %s; profile %s unusable (%s), board is empty", path_.c_str(),
                    reason.c_str(), profile.c_str(), error.c_str());
        return BoardState{};
    }
    Trace("~~~[VirtualBoard] state %s %s; rebuilt from profile %s", path_.c_str(), reason.c_str(),
                profile.c_str());
    const std::string rebuilt = EncodeState(state);
    if (WriteLocked(rebuilt, &stamp)) {
        cache.Keep(path_, stamp, rebuilt, state);
        if (text)
            *text = rebuilt;
    }
    return state;
}

bool BoardStore::WriteLocked(const std::string& text, FileStamp* written) const
{
    if (ReplaceFileText(path_, text, written))
        return true;
    Trace("~~~[VirtualBoard] cannot write state %s (%lu)", path_.c_str(), GetLastError());
    return false;
}

bool BoardStore::Read(BoardState& state) const
{
    // Taken from memory while the file still holds the version kept: the
    // file is not opened, so no writer's replacement of it can fail.
    FileStamp stamp;
    if (ReadFileStamp(path_, stamp) && DecodedStateCache::Instance().Find(path_, stamp, state))
        return true;
    BoardLock lock(path_);
    if (!lock.Held())
        return false;
    state = LoadLocked();
    return true;
}

bool BoardStore::Inspect(const std::function<void(const BoardState&)>& look) const
{
    FileStamp stamp;
    if (ReadFileStamp(path_, stamp) && DecodedStateCache::Instance().Visit(path_, stamp, look))
        return true;
    // Locked like every access that opens the file: a reader holding the
    // file open would make a writer's replacement of it fail.
    BoardLock lock(path_);
    if (!lock.Held())
        return false;
    look(LoadLocked());
    return true;
}

bool BoardStore::Update(const std::function<bool(BoardState&)>& change)
{
    BoardLock lock(path_);
    if (!lock.Held())
        return false;
    std::string before;
    BoardState state = LoadLocked(&before);
    if (!change(state))
        return false;
    // A change that leaves the state as it was needs no write: replacing the
    // file makes every other reader decode it anew.
    const std::string after = EncodeState(state);
    if (after == before)
        return true;
    FileStamp written;
    if (!WriteLocked(after, &written))
        return false;
    // This process's next access then finds the version it has just written
    // already decoded.
    DecodedStateCache::Instance().Keep(path_, written, after, state);
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
