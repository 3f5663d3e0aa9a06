#pragma once
// The control pipe between the running program and pellixctl: one request
// message, one reply message. Every message starts with the same 12-byte
// header (magic "PXCT", version, code, detail, payload length); integers are
// little-endian. Either side may be talking to a stranger (any local
// process may connect, and a process may pose as the server), so both
// decoders check every length against hard limits and accept only the
// exact payload each code defines. Plain C++ so that it runs anywhere.

#include "engine/SavingsHistory.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kelp::control {

constexpr const char* kPipeName = "Pellix Control";

constexpr uint32_t kMagic = 0x54435850;  // "PXCT"
constexpr uint16_t kVersion = 1;
constexpr size_t kHeaderSize = 12;
// No message of the format carries more; longer ones are rejected whole.
constexpr size_t kMaxPayload = 128;
constexpr size_t kMaxMessage = kHeaderSize + kMaxPayload;

enum class Command : uint16_t {
    Status = 1,           // no arguments
    SetMode = 2,          // level, flags
    RestoreMode = 3,      // level, expected: only while `expected` is in force
    StartCalibration = 4,
    CalibrationProgress = 5,
    CancelCalibration = 6,
    // index: one day of the savings history, oldest first. A client reads
    // the history day by day and starts over when the generation changes.
    // It only reads: the days are no secret from the users the pipe admits,
    // and an answer costs the program one record's copy, like any other.
    HistoryDay = 7,
    // The automation's program rules, read one per request like the
    // history days: index -> the rule count and the rule there.
    RuleAt = 8,
    // level, program: a rule added, checked as the settings page checks it,
    // stored and applied at once.
    AddRule = 9,
    // program: the rule of that program (case ignored) removed.
    RemoveRule = 10,
    // Who holds the mode and the state of each hotkey.
    AutomationStatus = 11,
};
constexpr uint16_t kLastCommand = uint16_t(Command::AutomationStatus);

// Bytes of a rule's program on the pipe: what the automation stores.
constexpr size_t kMaxRuleProgram = 120;
// The automation's verdicts on a rule and states of a hotkey, as numbers.
constexpr uint8_t kLastRuleProblem = 6;
constexpr uint8_t kLastHotkeyState = 3;
constexpr uint8_t kLastHoldCause = 3;
constexpr size_t kHotkeys = 6;

// SetMode flags: the user answers the tweak confirmation with Yes.
constexpr uint32_t kConfirmTweak = 1;

struct Request {
    Command command = Command::Status;
    uint32_t level = 0;
    uint32_t flags = 0;     // SetMode
    uint32_t expected = 0;  // RestoreMode
    uint32_t index = 0;     // HistoryDay: below history::kMaxDays; RuleAt
    // AddRule, RemoveRule: at most kMaxRuleProgram bytes, no NUL; AddRule
    // also carries the level.
    std::string program;
};

enum class Outcome : uint16_t {
    Done = 0,
    Failed = 1,      // the change or the calibration failed
    Refused = 2,     // see Reason
    BadRequest = 3,  // the request was not understood
    TimedOut = 4,    // the program did not answer in time
};

enum class Reason : uint16_t {
    None = 0,
    Overclocked = 1,
    ConflictingUtility = 2,
    Busy = 3,                // a calibration or a question is up
    AutoUnsupported = 4,
    TweakUnconfirmed = 5,
    CalibrationNeeded = 6,
    NotCurrent = 7,          // RestoreMode: the user chose another mode meanwhile
    UnknownLevel = 8,
    NoSuchDay = 9,           // HistoryDay: the index is past the last day
    BadProgram = 10,         // AddRule: no file name or full path of a program
    DuplicateRule = 11,      // AddRule: the program has a rule already
    TooManyRules = 12,
    NoSuchRule = 13,         // RemoveRule, RuleAt
    NotStored = 14,          // the registry refused the change
    Managed = 15,            // an organisation's policy does not allow it
};
constexpr uint16_t kLastReason = uint16_t(Reason::Managed);

// Status flags.
enum StatusFlag : uint32_t {
    kAutoSupported = 1u << 0,
    kCalibrationNeeded = 1u << 1,
    kTweakDisabled = 1u << 2,
    kOverclocked = 1u << 3,
    kConflictingUtility = 1u << 4,
    kBusy = 1u << 5,
    kVgaConnected = 1u << 6,
    kVgaSyncEnabled = 1u << 7,
    kVgaOrdunSupported = 1u << 8,
    kVgaAutoSupported = 1u << 9,
    kVgaSavingActive = 1u << 10,
};

struct Status {
    uint32_t level = 0;
    uint32_t autoGear = 0;  // the saving gear Auto runs now
    uint32_t flags = 0;
    double cpuPowerW = 0;
    double vgaPowerW = 0;
    // Watt-hours saved: since the first start (total) and since the user
    // last cleared the count (current), board and graphics card.
    double boardTotalWh = 0, boardCurrentWh = 0;
    double vgaTotalWh = 0, vgaCurrentWh = 0;
    // Starts of the two periods: local wall-clock FILETIMEs, 0 when unknown.
    uint64_t totalSince = 0, currentSince = 0;
    // The emission factor the CO2 figures follow (mg CO2 per Wh, above 0 and
    // at most history::kMaxCo2PerWattHour); empty in the status of a program
    // that did not send it yet.
    std::optional<double> co2PerWattHour;
};

// Grams of CO2 the saved watt-hours avoided, by the status's factor (the
// default factor when it has none): as the window and the history count.
double Co2Grams(const Status& status, double wattHours);

enum class CalibrationState : uint32_t { Idle = 0, Running = 1, Completed = 2, Cancelled = 3 };
constexpr uint32_t kLastCalibrationState = uint32_t(CalibrationState::Cancelled);

struct Progress {
    CalibrationState state = CalibrationState::Idle;
    uint32_t step = 0;
    uint32_t steps = 0;
};

// One program rule and how many there are.
struct RuleEntry {
    uint32_t count = 0;
    uint32_t level = 0;
    uint8_t problem = 0;  // 0: valid
    std::string program;
};

struct AutomationState {
    uint8_t holder = 0;  // nothing, the user, a rule, the schedule
    uint8_t hotkeys[kHotkeys] = {};  // off, registered, taken, invalid
    std::string holderName;  // the rule's program
};

struct Reply {
    Outcome outcome = Outcome::Done;
    Reason reason = Reason::None;
    // Which payload follows the header, by the request it answers: Status
    // carries a status; SetMode and RestoreMode the level in force;
    // the calibration requests their progress; HistoryDay the history's
    // generation and the day.
    Command answers = Command::Status;
    Status status;
    uint32_t level = 0;
    Progress progress;
    uint32_t generation = 0;
    history::DayRecord record;
    RuleEntry rule;              // RuleAt
    AutomationState automation;  // AutomationStatus
};

std::vector<uint8_t> EncodeRequest(const Request& request);
// Nothing for anything but a well-formed request of this version.
std::optional<Request> DecodeRequest(const uint8_t* bytes, size_t size);

// The reply's code carries the command it answers in the low byte and the
// outcome in the high byte, so the client can tell a reply to another
// question from its own.
std::vector<uint8_t> EncodeReply(const Reply& reply);
std::optional<Reply> DecodeReply(const uint8_t* bytes, size_t size);

// A reply without payload fields (bad request, time-out, refusal).
Reply Answer(Command answers, Outcome outcome, Reason reason = Reason::None);

} // namespace kelp::control
