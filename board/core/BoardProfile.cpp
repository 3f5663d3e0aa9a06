#include "board/core/BoardProfile.h"

#include "board/core/BoardPaths.h"
#include "board/core/FileText.h"

namespace vboard {
namespace {
constexpr int kMaxIncludeDepth = 8;

bool ApplyProfile(const std::string& name, BoardState& state, int depth, std::string& error)
{
    if (depth > kMaxIncludeDepth) {
        error = "profile includes nest more than " + std::to_string(kMaxIncludeDepth) + " deep at " + name;
        return false;
    }
    std::string path = ProfilePath(name);
    std::string text;
    if (!ReadFileText(path, text)) {
        error = "cannot read profile " + path;
        return false;
    }
    IniDocument document;
    if (!document.Parse(text, error)) {
        error = path + ", " + error;
        return false;
    }
    for (const IniSection& section : document.Sections())
        if (section.name == "board")
            if (const IniEntry* include = section.Find("include"))
                if (!ApplyProfile(include->value, state, depth + 1, error))
                    return false;
    if (!state.Apply(document, error)) {
        error = path + ", " + error;
        return false;
    }
    return true;
}
} // namespace

bool LoadProfile(const std::string& name, BoardState& state, std::string& error)
{
    BoardState built;
    if (!ApplyProfile(name, built, 0, error))
        return false;
    built.profile = name;
    state = std::move(built);
    return true;
}

} // namespace vboard
