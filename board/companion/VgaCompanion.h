#pragma once
// The graphics-card companion of the virtual board. It serves the graphics
// pipe with the card's mode, capability, power and per-mode savings,
// publishes its version and synchronisation setting in the registry, and
// reports its start, its end and every change made to it on the board pipe.
//
// Options: --mode <graphics mode> (default 0), --sync 0|1 (default 1),
// --caps <capability flags> (default 3), --power <milliwatts at full power>
// (default 45000), --version <number>. Control commands besides those of
// every peer: "mode <value>" (the card changes its mode by itself),
// "sync on" | "sync off" | "sync toggle". The board knob
// vga_set_mode_delay_ms (boardctl knob) makes each mode change answer that
// many milliseconds late.

#include "board/companion/PeerProgram.h"

#include <atomic>

namespace kelp::board {

class VgaCompanion final : public PeerProgram {
public:
    VgaCompanion(int argc, char** argv);

    // Saving of a graphics mode in units of 1/10000; false for a value that
    // is not a graphics mode.
    static bool SavingOf(uint32_t mode, uint32_t& saving);

private:
    std::vector<uint8_t> Answer(const uint8_t* request, DWORD size, ReplyStyle style) override;
    std::string Control(const std::string& verb, const std::string& argument) override;
    void Started() override;
    void Stopped() override;

    std::vector<uint8_t> FullAnswer(const uint8_t* request, DWORD size);
    uint32_t CurrentPower() const;
    void PublishSync();
    // Tells the board pipe's server; a missing server is not an error.
    static void Notify(uint32_t command);

    std::atomic<uint32_t> mode_;
    std::atomic<bool> syncEnabled_;
    const uint32_t capabilities_;
    const uint32_t fullPower_;
    const uint32_t version_;
};

} // namespace kelp::board
