#include "board/core/BoardStore.h"

#include "board/core/BoardLock.h"
#include "board/core/BoardPaths.h"
#include "board/core/BoardProfile.h"
#include "board/core/Checksum.h"
#include "board/core/FileText.h"
#include "board/core/StateCache.h"
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

BoardState BoardStore::ReadLocked(std::string& text) const
{
    BoardState state;
    std::string reason = "is missing";
    if (ReadFileText(path_, text)) {
        if (StateCache::Find(path_, text, state))
            return state;
        if (DecodeState(text, state, reason)) {
            StateCache::Remember(path_, text, state);
            return state;
        }
    }
    text.clear(); // the file holds no valid state

    std::string profile = DefaultProfileName(), error;
    if (!vboard::LoadProfile(profile, state, error)) {
        // Not persisted: the next access tries the profile again.
        kelp::Trace("~~~[VirtualBoard] state %s %s; profile %s unusable (%s), board is empty", path_.c_str(),
                    reason.c_str(), profile.c_str(), error.c_str());
        return BoardState{};
    }
    kelp::Trace("~~~[VirtualBoard] state %s %s; rebuilt from profile %s", path_.c_str(), reason.c_str(),
                profile.c_str());
    if (WriteLocked(state, {}))
        text = EncodeState(state);
    return state;
}

bool BoardStore::WriteLocked(const BoardState& state, const std::string& fileText) const
{
    const std::string text = EncodeState(state);
    if (text == fileText)
        return true;
    if (ReplaceFileText(path_, text)) {
        StateCache::Remember(path_, text, state);
        return true;
    }
    kelp::Trace("~~~[VirtualBoard] cannot write state %s (%lu)", path_.c_str(), GetLastError());
    return false;
}

bool BoardStore::Read(BoardState& state) const
{
    BoardLock lock(path_);
    if (!lock.Held())
        return false;
    std::string text;
    state = ReadLocked(text);
    return true;
}

bool BoardStore::Update(const std::function<bool(BoardState&)>& change)
{
    BoardLock lock(path_);
    if (!lock.Held())
        return false;
    std::string text;
    BoardState state = ReadLocked(text);
    return change(state) && WriteLocked(state, text);
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
    if (!WriteLocked(state, {})) {
        error = "cannot write " + path_;
        return false;
    }
    return true;
}

} // namespace vboard
