#include "framework/graphics/PictureCatalogText.h"

#include "framework/graphics/DibHeader.h"

#include <charconv>
#include <unordered_set>
#include <vector>

namespace {

std::vector<std::string_view> Fields(std::string_view line)
{
    std::vector<std::string_view> fields;
    size_t at = 0;
    while (at < line.size()) {
        while (at < line.size() && (line[at] == ' ' || line[at] == '\t'))
            ++at;
        const size_t start = at;
        while (at < line.size() && line[at] != ' ' && line[at] != '\t')
            ++at;
        if (at > start)
            fields.push_back(line.substr(start, at - start));
    }
    return fields;
}

template <typename Number>
bool ParseNumber(std::string_view field, Number low, Number high, Number& value)
{
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    return error == std::errc() && end == field.data() + field.size() && value >= low && value <= high;
}

bool ParseEntry(const std::vector<std::string_view>& fields, TCatalogEntry& entry)
{
    int alpha = 0;
    if (fields.size() != 6 || fields[0].find_first_of("\\/:") != std::string_view::npos ||
        !ParseNumber<uint64_t>(fields[1], 1, UINT32_MAX, entry.fileSize) ||
        !ParseNumber(fields[2], 1, kMaxBitmapSide, entry.width) ||
        !ParseNumber(fields[3], 1, kMaxBitmapSide, entry.height) || !ParseNumber(fields[4], 4, 32, entry.bits) ||
        !ParseNumber(fields[5], 0, 1, alpha))
        return false;
    if (entry.bits != 4 && entry.bits != 24 && entry.bits != 32)
        return false;
    entry.alphaDefined = alpha == 1;
    return true;
}

} // namespace

std::string CatalogKey(std::string_view name)
{
    std::string key(name);
    for (char& c : key)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return key;
}

bool CatalogDescribes(const TCatalogEntry& entry, const TListedFile& file, uint64_t catalogLastWrite)
{
    const bool writtenWithCatalog =
        file.lastWrite <= catalogLastWrite || file.lastWrite - catalogLastWrite <= kCatalogWriteSlack;
    return file.size == entry.fileSize && writtenWithCatalog;
}

std::unordered_map<std::string, TCatalogEntry> ParsePictureCatalog(std::string_view text)
{
    std::unordered_map<std::string, TCatalogEntry> entries;
    std::unordered_set<std::string> conflicting;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(at, end - at);
        at = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        const std::vector<std::string_view> fields = Fields(line);
        TCatalogEntry entry;
        if (fields.empty() || fields[0].front() == '#' || !ParseEntry(fields, entry))
            continue;
        std::string key = CatalogKey(fields[0]);
        if (conflicting.count(key))
            continue;
        const auto [it, added] = entries.emplace(key, entry);
        if (!added && !(it->second == entry)) {
            entries.erase(it);
            conflicting.insert(std::move(key));
        }
    }
    return entries;
}
