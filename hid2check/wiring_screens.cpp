// The wiring screens: each written through the inverse of the wiring it assumes.
#include "wiring_screens.h"

#include "fault_catalogue.h"
#include "hd44780_instructions.h"
#include "usbio_link.h"
#include "wiring.h"

#include <algorithm>
#include <array>
#include <vector>

namespace WiringScreens {
namespace {

using Line = Sim::Wiring::Line;

using UsbIoLink::CONTROL_PORT;
using UsbIoLink::DATA_PORT;

using namespace Hd44780Instructions;

// Function set with an 8-bit bus: the instruction that resets the interface.
constexpr uint8_t INTERFACE_RESET = FUNCTION_SET | EIGHT_BIT_BUS;

// The datasheet's initialisation by instruction: three interface resets after 15 ms,
// 4.1 ms and 100 us bring any interface state back to 8 bits. Clear and return home take
// 1.52 ms; a fast board would reach the display sooner.
constexpr int FIRST_RESET_WAIT_MS = 15;
constexpr int SECOND_RESET_WAIT_MS = 5;
constexpr int THIRD_RESET_WAIT_MS = 1;
constexpr int CLEAR_WAIT_MS = 2;

// Two wires exchanged is the commonest slip, most often neighbours: D0-D7 side by side,
// E beside D0 on the display's header (pins 6 and 7), RS and E either side of R/W, and
// RS, the auxiliary line and E among the low bits of port 2. Their screens come first, in
// the numbers scripts know them by; then every other fault of the catalogue that a
// remapping makes up for. Each claim is the fault as LCDSIM's --miswire writes it, and the
// screen assumes the wiring that text describes.
constexpr std::array<std::string_view, 12> FIRST_CLAIMS = {
    "D0:D1", "D1:D2",        "D2:D3", "D3:D4",  "D4:D5", "D5:D6",
    "D6:D7", "bus=reversed", "RS:E",  "RS:AUX", "E:AUX", "D0:E"};

// Some line reaches every pin, the free end of the auxiliary wire included, and the
// controller takes writes.
bool MadeUpFor(const Sim::Wiring& wiring) {
    for (int pin = 0; pin < Sim::Wiring::LINE_COUNT; ++pin) {
        if (!wiring.LineTo(static_cast<Line>(pin))) {
            return false;
        }
    }
    return wiring.RwGrounded();
}

// The catalogue's index of the fault each screen assumes.
const std::vector<size_t>& Screens() {
    static const std::vector<size_t> screens = [] {
        const std::vector<FaultCatalogue::Fault>& faults = FaultCatalogue::All();
        std::vector<size_t> list = {0};
        for (const std::string_view claim : FIRST_CLAIMS) {
            for (size_t fault = 1; fault < faults.size(); ++fault) {
                if (faults[fault].miswire == claim) {
                    list.push_back(fault);
                }
            }
        }
        for (size_t fault = 1; fault < faults.size(); ++fault) {
            if (MadeUpFor(faults[fault].wiring) &&
                std::find(list.begin(), list.end(), fault) == list.end()) {
                list.push_back(fault);
            }
        }
        return list;
    }();
    return screens;
}

const Sim::Wiring& AssumedWiring(int screen) {
    return FaultCatalogue::All()[Screens()[static_cast<size_t>(screen)]].wiring;
}

bool PinLevel(const Pins& pins, Line pin) {
    switch (pin) {
    case Sim::Wiring::RS:
        return pins.rs;
    case Sim::Wiring::E:
        return pins.e;
    case Sim::Wiring::AUX:
        return pins.aux;
    default:
        return ((pins.data >> pin) & 1) != 0;
    }
}

// Drives the display through a fault's inverse, one write cycle at a time: the data port,
// then the control port with E low, as the program does; then E high and low again,
// writing whichever port the change lands on.
class ScreenWriter {
  public:
    ScreenWriter(int assumed, const WritePort& writePort, const SleepThread& sleepThread)
        : screen(assumed), write(writePort), sleep(sleepThread) {}

    // Every line low before the waits: a strobe that another screen's mapping left high
    // ends here, and whatever it latches has the time of the first wait to execute.
    void Settle() {
        last = Compensate(screen, Pins{});
        write(DATA_PORT, last.data);
        write(CONTROL_PORT, last.control);
    }

    void Wait(int milliseconds) { sleep(milliseconds); }

    void Instruction(uint8_t code) { Cycle(code, false); }
    void Character(uint8_t code) { Cycle(code, true); }

    void Text(std::string_view text) {
        for (const char c : text) {
            Character(static_cast<uint8_t>(c));
        }
    }

    // While set, the free end of the auxiliary wire strobes with E. On a board where that
    // wire reaches the display's E, a screen that does not assume so still puts the
    // display off and clears it, rather than leaving what an earlier screen showed.
    void AuxStrobes(bool strobes) { auxStrobes = strobes; }

  private:
    void Cycle(uint8_t code, bool rs) {
        Pins pins{{code, rs, false}, false};
        last = Compensate(screen, pins);
        write(DATA_PORT, last.data);
        write(CONTROL_PORT, last.control);
        pins.e = true;
        pins.aux = auxStrobes;
        Drive(pins);
        pins.e = false;
        pins.aux = false;
        Drive(pins);
    }

    void Drive(const Pins& pins) {
        const PortValues next = Compensate(screen, pins);
        if (next.data != last.data) {
            write(DATA_PORT, next.data);
        }
        if (next.control != last.control) {
            write(CONTROL_PORT, next.control);
        }
        last = next;
    }

    int screen;
    const WritePort& write;
    const SleepThread& sleep;
    PortValues last;
    bool auxStrobes = false;
};

} // namespace

int ScreenCount() {
    return static_cast<int>(Screens().size());
}

std::string Claim(int screen) {
    return screen == 0 ? "WIRING OK"
                       : FaultCatalogue::All()[Screens()[static_cast<size_t>(screen)]].miswire;
}

std::string Row0(int screen, const std::string& mark) {
    return Claim(screen) + (mark.empty() ? "" : " " + mark);
}

std::string Hint(int screen) {
    return "screen " + std::to_string(screen);
}

std::optional<int> ScreenOf(size_t fault) {
    const auto found = std::find(Screens().begin(), Screens().end(), fault);
    return found == Screens().end()
               ? std::nullopt
               : std::optional<int>(static_cast<int>(found - Screens().begin()));
}

// Each one of the pins meant high raises the line that reaches it: the screens assume
// only exchanges and reversals, under which some line reaches every pin.
PortValues Compensate(int screen, const Pins& pins) {
    const Sim::Wiring& wiring = AssumedWiring(screen);
    PortValues ports;
    for (int pin = 0; pin < Sim::Wiring::LINE_COUNT; ++pin) {
        if (PinLevel(pins, static_cast<Line>(pin))) {
            const Sim::Wiring::PortBit bit =
                Sim::Wiring::BitOf(*wiring.LineTo(static_cast<Line>(pin)));
            uint8_t& port = bit.port == DATA_PORT ? ports.data : ports.control;
            port = static_cast<uint8_t>(port | bit.mask);
        }
    }
    return ports;
}

// The text goes in while the display is off; the display goes on last.
void Write(int screen, const std::string& mark, const WritePort& write, const SleepThread& sleep) {
    ScreenWriter lcd(screen, write, sleep);
    lcd.Settle();
    // A clear, first as a character, then as an instruction. On a board whose E is reached
    // by the RS line, E falls only where an instruction follows a character, latching the
    // character's code as an instruction: the display is cleared rather than keeping what
    // an earlier screen showed. A correct board takes both before its own clear.
    lcd.Character(CLEAR_DISPLAY);
    lcd.Instruction(CLEAR_DISPLAY);
    lcd.AuxStrobes(true);
    lcd.Wait(FIRST_RESET_WAIT_MS);
    lcd.Instruction(INTERFACE_RESET);
    lcd.Wait(SECOND_RESET_WAIT_MS);
    lcd.Instruction(INTERFACE_RESET);
    lcd.Wait(THIRD_RESET_WAIT_MS);
    lcd.Instruction(INTERFACE_RESET);
    // A controller that takes no function set after other instructions unless it changes
    // the data length takes the two lines only after such a change: to 4 bits, and back
    // to 8 in two halves (0x33). Any controller ends where the program's bring-up leaves it.
    lcd.Instruction(FUNCTION_SET);
    lcd.Instruction(INTERFACE_RESET);
    lcd.Instruction(INTERFACE_RESET);
    lcd.Instruction(FUNCTION_SET | EIGHT_BIT_BUS | TWO_LINES);
    lcd.Instruction(DISPLAY_CONTROL); // display, cursor and blink off
    lcd.Instruction(CLEAR_DISPLAY);
    lcd.AuxStrobes(false);
    lcd.Wait(CLEAR_WAIT_MS);
    lcd.Instruction(ENTRY_MODE_SET | ENTRY_INCREMENT);
    // Row 1 before row 0: on a board that loses D7, both addresses become other
    // instructions, and the claim follows the hint instead of starting row 0.
    lcd.Instruction(SET_DDRAM_ADDRESS | ROW_1_ADDRESS);
    lcd.Text(Hint(screen));
    lcd.Instruction(SET_DDRAM_ADDRESS | ROW_0_ADDRESS);
    lcd.Text(Row0(screen, mark));
    // Two instructions that change nothing on a correct board once the text is in, for
    // mix-ups the rest of the screen would not show. With D1 and D3 exchanged, the entry
    // mode arrives as a display on and the display off as a return home; this return home
    // (D1 alone) arrives as a display off. Every other instruction has D4 and D5 both high
    // or both low; with those exchanged, this cursor shift (D4 alone) arrives as a switch
    // to the 4-bit interface, which leaves the final display-on half a byte.
    lcd.Instruction(RETURN_HOME);
    lcd.Wait(CLEAR_WAIT_MS);
    lcd.Instruction(CURSOR_OR_DISPLAY_SHIFT); // the cursor one cell left
    lcd.Instruction(DISPLAY_CONTROL | DISPLAY_ON);
}

std::vector<Sim::WriteOrWait> Recorded(int screen, const std::string& mark) {
    std::vector<Sim::WriteOrWait> steps;
    Write(
        screen, mark,
        [&steps](int port, int value) {
            steps.push_back({Sim::WriteOrWait::Kind::WRITE, port, value});
        },
        [&steps](int milliseconds) {
            steps.push_back({Sim::WriteOrWait::Kind::WAIT, 0, milliseconds});
        });
    return steps;
}

} // namespace WiringScreens
