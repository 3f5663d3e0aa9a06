#pragma once
// A reply received over a message pipe: a 32-bit result word followed by
// the payload. Replies come from other programs: every read is checked
// against the bytes received.

#include <cstdint>
#include <cstring>
#include <vector>

namespace kelp {

class PipeReply {
public:
    void Assign(const uint8_t* data, uint32_t size) { bytes_.assign(data, data + size); }
    void Clear() { bytes_.clear(); }

    uint32_t Size() const { return static_cast<uint32_t>(bytes_.size()); }
    // Bytes after the result word; 0 for a reply without a complete result word.
    uint32_t PayloadSize() const { return Size() > kResultSize ? Size() - kResultSize : 0; }
    const uint8_t* Payload() const { return bytes_.data() + kResultSize; }

    // The result word; false when the reply is too short to hold one.
    bool Result(uint32_t& value) const { return WordAt(0, value); }
    // Payload word `index`; false when the payload is too short.
    bool PayloadWord(size_t index, uint32_t& value) const
    {
        return index < PayloadSize() / sizeof(uint32_t) && WordAt(index + 1, value);
    }

private:
    static constexpr uint32_t kResultSize = 4;

    bool WordAt(size_t index, uint32_t& value) const
    {
        if ((index + 1) * sizeof(uint32_t) > bytes_.size())
            return false;
        std::memcpy(&value, bytes_.data() + index * sizeof(uint32_t), sizeof(uint32_t));
        return true;
    }

    std::vector<uint8_t> bytes_;
};

} // namespace kelp
