// pellixctl reading the savings history day by day from the program's own
// request handling, over the wire format: every day once, in order; a list
// that changes during the read is read again rather than printed mixed;
// and whatever a hostile or older program answers ends the read within a
// bounded number of requests.

#include "ctl/DailyHistory.h"
#include "engine/SavingsCsv.h"
#include "ipc/ControlPipeServer.h"
#include "tests/ctl/FakeControlHost.h"

#include <gtest/gtest.h>

using namespace kelp::control;
using ctl::DailyRead;

namespace {

constexpr int kFirstDay = 20400; // 2025-11-08

void AddDay(history::SavingsHistory& history, int day, double saved = 2.5)
{
    history::Tick tick;
    tick.modeIndex = 3;
    tick.seconds = 3600;
    tick.boardSaved = saved;
    tick.vgaSaved = saved / 4;
    tick.cpuUsed = 40;
    tick.co2PerWattHour = 615;
    ASSERT_TRUE(history.Add(day, tick));
}

// The program's side: requests go through the pipe server's decoding and
// the console control on the main thread; `beforeAnswer` is what happens
// in the program between the request and its answer.
struct Program {
    ctltest::FakeHost host;
    ConsoleControl control{host};
    std::function<void(uint32_t index)> beforeAnswer;
    std::vector<uint32_t> asked;

    ctl::DailyCaller Caller()
    {
        return [this](const Request& request) {
            asked.push_back(request.index);
            if (beforeAnswer)
                beforeAnswer(request.index);
            const std::vector<uint8_t> bytes = EncodeRequest(request);
            const std::vector<uint8_t> reply = ControlPipeServer::HandleRequest(
                bytes.data(), DWORD(bytes.size()), [this](const Request& decoded) {
                    std::function<void()> then;
                    return control.Handle({Job::Phase::Ask, decoded}, then);
                });
            ctl::CallResult result;
            const std::optional<Reply> decoded = DecodeReply(reply.data(), reply.size());
            result.status = decoded ? ctl::CallResult::Status::Answered : ctl::CallResult::Status::BadReply;
            if (decoded)
                result.reply = *decoded;
            return result;
        };
    }

    DailyRead Read() { return ctl::ReadDailyHistory(Caller()); }
};

std::string Csv(const std::vector<history::DayRecord>& days)
{
    return history::CsvDocument(days);
}

} // namespace

TEST(DailyHistory, EveryDayOnceAndTheEndSeenWhileTheListHeld)
{
    Program program;
    EXPECT_EQ(program.Read().status, DailyRead::Status::Done);
    EXPECT_EQ(program.asked, std::vector<uint32_t>{0}) << "an empty history: its end at once";

    for (int day : {kFirstDay, kFirstDay + 1, kFirstDay + 5})
        AddDay(program.host.savings, day, day * 0.001);
    program.asked.clear();
    const DailyRead read = program.Read();
    ASSERT_EQ(read.status, DailyRead::Status::Done);
    EXPECT_EQ(Csv(read.days), Csv(program.host.savings.Days()));
    EXPECT_EQ(program.asked, (std::vector<uint32_t>{0, 1, 2, 3, 2}));
}

TEST(DailyHistory, AListChangedDuringTheReadIsReadAgainNotMixed)
{
    struct Case {
        const char* what;
        uint32_t at;  // the request before whose answer the list changes
        bool clear;   // cleared first, else a new day comes
    };
    const Case cases[] = {
        {"a new day halfway", 2, false},
        // Only asking for the last day again shows that the list was cut short.
        {"a clear halfway", 1, true},
        {"a clear just before the end", 4, true},
    };
    for (const Case& c : cases) {
        Program program;
        for (int i = 0; i < 4; ++i)
            AddDay(program.host.savings, kFirstDay + i, 1 + i);
        bool changed = false;
        program.beforeAnswer = [&](uint32_t index) {
            if (changed || index != c.at)
                return;
            changed = true;
            if (c.clear)
                program.host.savings.Clear();
            AddDay(program.host.savings, kFirstDay + 10, 7);
        };
        const DailyRead read = program.Read();
        ASSERT_TRUE(changed) << c.what;
        ASSERT_EQ(read.status, DailyRead::Status::Done) << c.what;
        EXPECT_EQ(Csv(read.days), Csv(program.host.savings.Days())) << c.what;
    }

    // A list that changes before every answer: given up after a bounded number of passes.
    Program program;
    int next = kFirstDay;
    program.beforeAnswer = [&](uint32_t) { AddDay(program.host.savings, next++); };
    const DailyRead read = program.Read();
    EXPECT_EQ(read.status, DailyRead::Status::Changing);
    EXPECT_TRUE(read.days.empty());
    EXPECT_EQ(program.asked.size(), size_t(2 * ctl::kDailyPasses));
}

TEST(DailyHistory, HostileAndOlderProgramsEndTheReadInBoundedTime)
{
    using Answered = std::function<ctl::CallResult(uint32_t index)>;
    const auto read = [](const Answered& answer, size_t& requests) {
        requests = 0;
        return ctl::ReadDailyHistory([&](const Request& request) {
            ++requests;
            EXPECT_LT(request.index, history::kMaxDays) << "an index no decoder takes";
            return answer(request.index);
        });
    };
    const auto reply = [](Reply r) {
        ctl::CallResult result;
        result.status = ctl::CallResult::Status::Answered;
        result.reply = r;
        return result;
    };
    const auto day = [&reply](uint32_t generation, int date) {
        Reply r = Answer(Command::HistoryDay, Outcome::Done);
        r.generation = generation;
        r.record.day = date;
        return reply(r);
    };
    size_t requests = 0;

    // Days without end: no more than a history holds, each asked once.
    DailyRead endless = read([&](uint32_t index) { return day(1, kFirstDay + int(index)); }, requests);
    EXPECT_EQ(endless.status, DailyRead::Status::Done);
    EXPECT_EQ(endless.days.size(), history::kMaxDays);
    EXPECT_EQ(requests, history::kMaxDays);

    EXPECT_EQ(read([&](uint32_t) { return day(1, kFirstDay); }, requests).status, DailyRead::Status::BadReply)
        << "the same date twice";
    EXPECT_EQ(requests, 2u);
    EXPECT_EQ(read([&](uint32_t) { return reply(Answer(Command::Status, Outcome::BadRequest)); }, requests).status,
              DailyRead::Status::Unsupported);
    const DailyRead gone = read(
        [&](uint32_t index) {
            ctl::CallResult result = day(1, kFirstDay + int(index));
            if (index == 3)
                result.status = ctl::CallResult::Status::TimedOut;
            return result;
        },
        requests);
    EXPECT_EQ(gone.status, DailyRead::Status::CallFailed);
    EXPECT_EQ(gone.failure.status, ctl::CallResult::Status::TimedOut);
    EXPECT_TRUE(gone.days.empty());
}
