#include "ipc/ControlProtocol.h"

#include <cmath>
#include <cstring>

namespace kelp::control {
namespace {

constexpr size_t kModeArgumentsSize = 8;
constexpr size_t kStatusSize = 3 * 4 + 6 * 8 + 2 * 8;
constexpr size_t kLevelSize = 4;
constexpr size_t kProgressSize = 3 * 4;

class Writer {
public:
    void U16(uint16_t value) { Put(&value, sizeof value); }
    void U32(uint32_t value) { Put(&value, sizeof value); }
    void U64(uint64_t value) { Put(&value, sizeof value); }
    void F64(double value) { Put(&value, sizeof value); }
    std::vector<uint8_t> Take() { return std::move(bytes_); }

private:
    // The program and pellixctl are little-endian x86 builds, as is the format.
    void Put(const void* value, size_t size)
    {
        const auto* bytes = static_cast<const uint8_t*>(value);
        bytes_.insert(bytes_.end(), bytes, bytes + size);
    }
    std::vector<uint8_t> bytes_;
};

class Reader {
public:
    Reader(const uint8_t* bytes, size_t size) : bytes_(bytes), size_(size) {}
    uint16_t U16() { return Get<uint16_t>(); }
    uint32_t U32() { return Get<uint32_t>(); }
    uint64_t U64() { return Get<uint64_t>(); }
    double F64()
    {
        const double value = Get<double>();
        if (!std::isfinite(value))
            ok_ = false;
        return value;
    }
    size_t Left() const { return size_ - offset_; }
    bool Ok() const { return ok_; }

private:
    template <typename T> T Get()
    {
        T value{};
        if (Left() < sizeof value) {
            ok_ = false;
            return value;
        }
        std::memcpy(&value, bytes_ + offset_, sizeof value);
        offset_ += sizeof value;
        return value;
    }
    const uint8_t* bytes_;
    size_t size_;
    size_t offset_ = 0;
    bool ok_ = true;
};

std::vector<uint8_t> Message(uint16_t code, uint16_t detail, const std::vector<uint8_t>& payload)
{
    Writer header;
    header.U32(kMagic);
    header.U16(kVersion);
    header.U16(code);
    header.U16(detail);
    header.U16(uint16_t(payload.size()));
    std::vector<uint8_t> bytes = header.Take();
    bytes.insert(bytes.end(), payload.begin(), payload.end());
    return bytes;
}

struct Header {
    uint16_t code = 0;
    uint16_t detail = 0;
};

// The header of a message of this version whose length field matches the
// bytes received; the reader is left at the payload.
std::optional<Header> ReadHeader(Reader& reader, size_t size)
{
    if (size < kHeaderSize || size > kMaxMessage)
        return std::nullopt;
    Header header;
    const uint32_t magic = reader.U32();
    const uint16_t version = reader.U16();
    header.code = reader.U16();
    header.detail = reader.U16();
    const uint16_t length = reader.U16();
    if (!reader.Ok() || magic != kMagic || version != kVersion || length != reader.Left())
        return std::nullopt;
    return header;
}

bool IsCommand(uint16_t code)
{
    return code >= uint16_t(Command::Status) && code <= uint16_t(Command::CancelCalibration);
}

bool TakesModeArguments(Command command)
{
    return command == Command::SetMode || command == Command::RestoreMode;
}

// Done and Failed replies carry the payload of the command they answer.
bool CarriesPayload(Outcome outcome)
{
    return outcome == Outcome::Done || outcome == Outcome::Failed;
}

size_t PayloadSize(Command answers)
{
    if (answers == Command::Status)
        return kStatusSize;
    return TakesModeArguments(answers) ? kLevelSize : kProgressSize;
}

} // namespace

std::vector<uint8_t> EncodeRequest(const Request& request)
{
    Writer payload;
    if (request.command == Command::SetMode) {
        payload.U32(request.level);
        payload.U32(request.flags);
    } else if (request.command == Command::RestoreMode) {
        payload.U32(request.level);
        payload.U32(request.expected);
    }
    return Message(uint16_t(request.command), 0, payload.Take());
}

std::optional<Request> DecodeRequest(const uint8_t* bytes, size_t size)
{
    if (!bytes)
        return std::nullopt;
    Reader reader(bytes, size);
    const std::optional<Header> header = ReadHeader(reader, size);
    if (!header || header->detail != 0 || !IsCommand(header->code))
        return std::nullopt;
    Request request;
    request.command = Command(header->code);
    const bool arguments = TakesModeArguments(request.command);
    if (reader.Left() != (arguments ? kModeArgumentsSize : 0))
        return std::nullopt;
    if (arguments) {
        request.level = reader.U32();
        (request.command == Command::SetMode ? request.flags : request.expected) = reader.U32();
    }
    if (request.command == Command::SetMode && (request.flags & ~kConfirmTweak) != 0)
        return std::nullopt;
    return request;
}

std::vector<uint8_t> EncodeReply(const Reply& reply)
{
    Writer payload;
    if (CarriesPayload(reply.outcome)) {
        if (reply.answers == Command::Status) {
            const Status& s = reply.status;
            payload.U32(s.level);
            payload.U32(s.autoGear);
            payload.U32(s.flags);
            for (double value : {s.cpuPowerW, s.vgaPowerW, s.boardTotalWh, s.boardCurrentWh, s.vgaTotalWh,
                                 s.vgaCurrentWh})
                payload.F64(value);
            payload.U64(s.totalSince);
            payload.U64(s.currentSince);
        } else if (TakesModeArguments(reply.answers)) {
            payload.U32(reply.level);
        } else {
            payload.U32(uint32_t(reply.progress.state));
            payload.U32(reply.progress.step);
            payload.U32(reply.progress.steps);
        }
    }
    const uint16_t code = uint16_t(uint16_t(reply.answers) | (uint16_t(reply.outcome) << 8));
    return Message(code, uint16_t(reply.reason), payload.Take());
}

std::optional<Reply> DecodeReply(const uint8_t* bytes, size_t size)
{
    if (!bytes)
        return std::nullopt;
    Reader reader(bytes, size);
    const std::optional<Header> header = ReadHeader(reader, size);
    if (!header)
        return std::nullopt;
    const uint16_t answers = header->code & 0xFF;
    const uint16_t outcome = header->code >> 8;
    if (!IsCommand(answers) || outcome > uint16_t(Outcome::TimedOut) || header->detail > kLastReason)
        return std::nullopt;
    Reply reply;
    reply.answers = Command(answers);
    reply.outcome = Outcome(outcome);
    reply.reason = Reason(header->detail);
    if (reader.Left() != (CarriesPayload(reply.outcome) ? PayloadSize(reply.answers) : 0))
        return std::nullopt;
    if (!CarriesPayload(reply.outcome))
        return reply;
    if (reply.answers == Command::Status) {
        Status& s = reply.status;
        s.level = reader.U32();
        s.autoGear = reader.U32();
        s.flags = reader.U32();
        for (double* value : {&s.cpuPowerW, &s.vgaPowerW, &s.boardTotalWh, &s.boardCurrentWh, &s.vgaTotalWh,
                              &s.vgaCurrentWh})
            *value = reader.F64();
        s.totalSince = reader.U64();
        s.currentSince = reader.U64();
    } else if (TakesModeArguments(reply.answers)) {
        reply.level = reader.U32();
    } else {
        const uint32_t state = reader.U32();
        if (state > kLastCalibrationState)
            return std::nullopt;
        reply.progress.state = CalibrationState(state);
        reply.progress.step = reader.U32();
        reply.progress.steps = reader.U32();
        if (reply.progress.step > reply.progress.steps)
            return std::nullopt;
    }
    if (!reader.Ok())
        return std::nullopt;
    return reply;
}

Reply Answer(Command answers, Outcome outcome, Reason reason)
{
    Reply reply;
    reply.answers = answers;
    reply.outcome = outcome;
    reply.reason = reason;
    return reply;
}

} // namespace kelp::control
