// The line walk of `hid2check --lines`, for a meter or an LED with its resistor at the
// display's pins: all lines low, then each of D0-D7, RS and E high alone. At each step
// one signal pin of the display should read about 5 V against GND and every other 0 V, so
// a line open, held or exchanged shows as a pin that reads otherwise; so may a short
// between two lines, which the wiring model does not represent.
#pragma once

#include "wiring.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace LineWalk {

struct Step {
    // The line driven high alone; none at step 0.
    std::optional<Sim::Wiring::Line> high;
    uint8_t dataPort = 0;
    uint8_t controlPort = 0;
};

// Step 0 all low, then D0 to D7, RS and E.
const std::vector<Step>& Steps();

// The pin of the display's header a line is meant for: 4 RS, 6 E, 7 to 14 D0 to D7.
int PinNumber(Sim::Wiring::Line pin);

// What the signal pins read at `step` on a board wired as `wiring`: R/W not grounded
// floats high on the controller's pull-up, as an open data pin or RS does.
struct Reading {
    Sim::LcdPins pins;
    bool rw = false;
    bool operator==(const Reading& other) const {
        return pins.data == other.pins.data && pins.rs == other.pins.rs && pins.e == other.pins.e &&
               rw == other.rw;
    }
};
Reading Read(const Step& step, const Sim::Wiring& wiring);

// The steps at which some two of `wirings` read differently, in order.
std::vector<int> Separating(const std::vector<Sim::Wiring>& wirings);

// What to measure at step `step`, e.g. "step 3: D2 high: LCD pin 9 (D2) should read about
// 5 V against GND (pin 1), every other signal pin 0 V".
std::string Describe(int step);

} // namespace LineWalk
