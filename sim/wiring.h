// How the board's lines reach the display's pins. Wired correctly, port 1 bit i drives
// D i, port 2 bit 0 drives RS and bit 3 drives E; port 2 bit 1, the auxiliary line AUX,
// reaches no pin of the display, and R/W is grounded, so the controller only takes writes.
//
// A mis-wiring is written as a comma-separated list of items, each applied to the
// pins as the items before it left them.
//   A:B            the wires at pins A and B exchanged; A and B among D0-D7, RS, E and
//                  AUX. RS:AUX: the display's RS pin gets port 2 bit 1.
//   A=0, A=1       pin A (D0-D7, RS or E) held low or high
//   A=open         pin A not connected: D0-D7 and RS float high on the controller's
//                  pull-ups, E reads low
//   RW=1, RW=open  R/W not grounded: the controller reads on every strobe, takes nothing
//   bus=reversed   port 1 bit i reaches D(7-i)
//   bus=up         bit i reaches D(i+1); D0 is open and bit 7 reaches nothing
//   bus=down       bit i reaches D(i-1); D7 is open and bit 0 reaches nothing
// Names and words are read in any letter case.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Sim {

// The levels on the display's pins.
struct LcdPins {
    uint8_t data = 0;
    bool rs = false;
    bool e = false;
    bool operator==(const LcdPins&) const = default;
};

class Wiring {
  public:
    // The board's lines toward the display, each named after the pin it reaches when
    // wired correctly; the pin called AUX is the free end of the auxiliary line's wire.
    enum Line : uint8_t { D0, D1, D2, D3, D4, D5, D6, D7, RS, E, AUX, LINE_COUNT };

    // Every pin on its own line, R/W grounded.
    Wiring();

    // The wiring `text` describes. When an item is not one of those above, nothing is
    // returned and `badItem` holds the first such item as it was written.
    static std::optional<Wiring> Parse(std::string_view text, std::string& badItem);

    // A line's name as the items above write it, e.g. "D3", "RS", "AUX".
    static std::string NameOf(Line line);

    bool Correct() const;
    // This wiring's items in the spelling above, e.g. "D3:D4,RW=open"; empty when the
    // wiring is correct.
    std::string Describe() const;

    bool RwGrounded() const { return rwGrounded; }
    // The line that reaches `pin` (AUX: the free end of the auxiliary line's wire); nothing
    // for a pin held or open.
    std::optional<Line> LineTo(Line pin) const;

    // Where the board drives a line: port 1 bit i for D i; port 2 bit 0 for RS, bit 1 for
    // AUX, bit 3 for E.
    struct PortBit {
        int port;
        uint8_t mask;
    };
    static PortBit BitOf(Line line);
    // What the display's pins see while the board drives these port values.
    LcdPins Pins(uint8_t dataPort, uint8_t controlPort) const;

  private:
    struct Source {
        enum class Kind : uint8_t { LINE, LOW, HIGH, OPEN };
        Kind kind = Kind::LINE;
        Line line = D0;
    };

    bool Apply(std::string_view item);
    void Exchange(Line a, Line b);
    void ShiftBus(int step);
    void ReverseBus();
    bool Level(Line pin, uint8_t dataPort, uint8_t controlPort) const;

    LcdPins Compute(uint8_t dataPort, uint8_t controlPort) const;
    void MakeTable();

    // Indexed by pin.
    std::array<Source, LINE_COUNT> sources;
    // The pins for every value of port 1 and of the low four bits of port 2 (the others
    // reach no line), made once a wiring is complete and shared by its copies: a board
    // asks at every write.
    static constexpr size_t CONTROL_VALUES = 16;
    std::shared_ptr<const std::array<LcdPins, 256 * CONTROL_VALUES>> table;
    bool rwGrounded = true;
    std::vector<std::string> items;
};

} // namespace Sim
