// The USB-IO board and the display behind it. The program drives port 1 as the data bus
// D0-D7 and port 2 bit 0 as RS, bit 1 as the auxiliary line, bit 3 as E; the wiring (by
// default the correct one) decides what reaches the display's pins. The display latches
// its bus and RS pins on the falling edge of its E pin; writes that leave that pin
// unchanged only move the lines. Virtual time advances by a cost per port write and by
// the waits reported, and a transfer that arrives while the display is busy (until the
// latest instruction it took has ended) is a timing violation: counted, listed in the
// trace, never silently accepted. Where the datasheet leaves the controller's behaviour
// open, the controller choices (controller_choices.h) decide.
#pragma once

#include "hd44780.h"
#include "wiring.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Sim {

// What a program's calls reach the board as: a write of a value to a port, or a wait of
// the calling thread (in milliseconds) during which the display goes on executing.
struct WriteOrWait {
    enum class Kind { WRITE, WAIT };
    Kind kind = Kind::WRITE;
    int port = 0;
    int value = 0; // WRITE: the value; WAIT: milliseconds
};

class Board {
  public:
    // One USB full-speed report interval per port write.
    static constexpr uint32_t DEFAULT_WRITE_COST_US = 1000;

    explicit Board(uint32_t writeCostMicroseconds = DEFAULT_WRITE_COST_US,
                   Wiring lcdWiring = Wiring(), ControllerChoices controllerChoices = {});

    // A wire changed, or the controller's choices, while the board is powered: the display
    // keeps its state and its RAM, the pins keep their levels, and the new wiring and
    // choices count from the next port write on.
    void Rewire(Wiring lcdWiring, ControllerChoices controllerChoices);

    // Port 1 or 2; other ports are ignored. Only the low 8 bits of the value count.
    void WritePort(int port, int value);
    // Time passing without writes (a sleep of the program, a pause between calls).
    void Wait(uint64_t microseconds);
    // The writes and waits in order.
    void Play(const std::vector<WriteOrWait>& steps);

    const Hd44780& Lcd() const { return lcd; }
    uint64_t NowMicroseconds() const { return now; }
    uint32_t WriteCostMicroseconds() const { return writeCost; }
    const Wiring& LcdWiring() const { return wiring; }
    const ControllerChoices& Choices() const { return lcd.Choices(); }
    // The corners of the controller's choices met since the last ForgetCornersMet.
    uint8_t CornersMet() const { return cornersMet | lcd.CornersMet(); }
    void ForgetCornersMet();
    // The same display, lines and pace of the busy display as `other`, whatever each went
    // through to get there.
    bool SameState(const Board& other) const;

    // Current levels of the board's lines.
    uint8_t DataBus() const { return dataBus; }
    bool Rs() const { return (control & Wiring::BitOf(Wiring::RS).mask) != 0; }
    bool Aux() const { return (control & Wiring::BitOf(Wiring::AUX).mask) != 0; }
    bool E() const { return (control & Wiring::BitOf(Wiring::E).mask) != 0; }
    uint8_t ControlPort() const { return control; }
    // Current levels on the display's pins.
    const LcdPins& Pins() const { return pins; }

    uint64_t PortWrites() const { return portWrites; }
    uint64_t Transfers() const { return transfers; }
    int Violations() const { return violations; }
    // One line per latched transfer and per violation, e.g.
    //   "t=12000us I 0x38 function set: 8-bit, 2 lines, 5x8"
    //   "t=16000us D 0x41"
    //   "t=17000us VIOLATION: D 0x42 while busy for 520us more"
    //   "t=17000us VIOLATION: D 0x42 while busy for 520us more, lost"
    //   "t=20000us I 0x30 function set: 8-bit, 1 line, 5x8 - ignored after other instructions"
    //   "t=18000us R/W high: the display is read, takes nothing"
    // At most MAX_TRACE lines are kept (the oldest are dropped).
    static constexpr size_t MAX_TRACE = 4096;
    const std::vector<std::string>& Trace() const { return trace; }
    // Without a trace a board is cheap to run and to copy, for trying many wirings.
    void KeepTrace(bool keep) { keepTrace = keep; }

    // The two visible rows as UTF-8 text, 16 characters each, dark cells as spaces. In
    // one-line mode row 0 is a row of boxes: a cell showing no character there is "█"
    // (U+2588, as the ROM's code 0xFF, which looks the same), a character stands as itself.
    static constexpr const char* BOX = "\u2588";
    // A custom character (codes 0x00-0x0F) stands as "▒" (U+2592), whatever its pattern.
    static constexpr const char* CUSTOM = "\u2592";
    std::string RowText(int row) const;

  private:
    void LatchTransfer(const LcdPins& latched);
    void AddTrace(std::string line);

    Hd44780 lcd;
    uint32_t writeCost;
    Wiring wiring;
    uint64_t now = 0;
    uint64_t busyUntil = 0;
    uint8_t dataBus = 0;
    uint8_t control = 0;
    LcdPins pins;
    uint64_t portWrites = 0;
    uint64_t transfers = 0;
    int violations = 0;
    std::vector<std::string> trace;
    bool keepTrace = true;
    uint8_t cornersMet = 0;
};

} // namespace Sim
