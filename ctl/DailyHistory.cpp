#include "ctl/DailyHistory.h"

#include <optional>

namespace ctl {
namespace {

using namespace kelp::control;

enum class Pass { Complete, Changed, Failed };

class DailyReader {
public:
    explicit DailyReader(const DailyCaller& call) : call_(call) {}

    DailyRead Read()
    {
        for (int pass = 0; pass < kDailyPasses; ++pass)
            if (ReadPass() != Pass::Changed)
                return std::move(read_);
        read_.status = DailyRead::Status::Changing;
        read_.days.clear();
        return std::move(read_);
    }

private:
    enum class Got { Day, End, Failed };

    Pass ReadPass()
    {
        read_.days.clear();
        std::optional<uint32_t> generation;
        for (uint32_t index = 0; index < history::kMaxDays; ++index) {
            Reply reply;
            const Got answer = Ask(index, reply);
            if (answer == Got::Failed)
                return Pass::Failed;
            if (answer == Got::End)
                return read_.days.empty() ? Pass::Complete : Confirm(*generation);
            if (generation && reply.generation != *generation)
                return Pass::Changed;
            if (!read_.days.empty() && reply.record.day <= read_.days.back().day)
                return Fail(DailyRead::Status::BadReply);
            generation = reply.generation;
            read_.days.push_back(reply.record);
        }
        // As many days as a history holds: there is no day after them.
        return Pass::Complete;
    }

    // The end came after the last day; asking for that day again tells
    // whether the list was still the same when the end was seen.
    Pass Confirm(uint32_t generation)
    {
        Reply reply;
        const Got answer = Ask(uint32_t(read_.days.size() - 1), reply);
        if (answer == Got::Failed)
            return Pass::Failed;
        if (answer == Got::End || reply.generation != generation)
            return Pass::Changed;
        return Pass::Complete;
    }

    Got Ask(uint32_t index, Reply& reply)
    {
        Request request;
        request.command = Command::HistoryDay;
        request.index = index;
        const CallResult result = call_(request);
        if (result.status != CallResult::Status::Answered) {
            read_.failure = result;
            Fail(DailyRead::Status::CallFailed);
            return Got::Failed;
        }
        reply = result.reply;
        if (reply.outcome == Outcome::BadRequest) {
            Fail(DailyRead::Status::Unsupported);
            return Got::Failed;
        }
        if (reply.answers == Command::HistoryDay && reply.outcome == Outcome::Refused &&
            reply.reason == Reason::NoSuchDay)
            return Got::End;
        if (reply.answers != Command::HistoryDay || reply.outcome != Outcome::Done) {
            Fail(DailyRead::Status::BadReply);
            return Got::Failed;
        }
        return Got::Day;
    }

    Pass Fail(DailyRead::Status status)
    {
        read_.status = status;
        read_.days.clear();
        return Pass::Failed;
    }

    const DailyCaller& call_;
    DailyRead read_;
};

} // namespace

DailyRead ReadDailyHistory(const DailyCaller& call)
{
    return DailyReader(call).Read();
}

} // namespace ctl
