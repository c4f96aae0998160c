// The single faults a hand-wired board can have, each as LCDSIM's --miswire spells it: the
// correct wiring; two of the eleven lines D0-D7, RS, E and AUX exchanged; a pin of D0-D7, RS
// or E held low, held high or open; R/W high or open; the data bus reversed or shifted.
#pragma once

#include "wiring.h"

#include <string>
#include <vector>

namespace FaultCatalogue {

enum class Kind {
    CORRECT,
    EXCHANGE,
    HELD_LOW,
    HELD_HIGH,
    OPEN,
    RW_HIGH,
    RW_OPEN,
    BUS_REVERSED,
    BUS_UP,
    BUS_DOWN
};

struct Fault {
    Kind kind;
    // The exchanged lines, or in `a` the pin held or open.
    Sim::Wiring::Line a = Sim::Wiring::D0;
    Sim::Wiring::Line b = Sim::Wiring::D0;
    // As --miswire takes it; empty for the correct wiring.
    std::string miswire;
    Sim::Wiring wiring;
};

// The 91 faults, the correct wiring first.
const std::vector<Fault>& All();

// Faults the controller cannot tell apart share an effect: a data pin or RS open floats
// high on the controller's pull-up as if held high, E open reads low as if held low, and
// R/W high or open both make every strobe a read. Equal numbers, equal effects.
int EffectOf(const Fault& fault);

} // namespace FaultCatalogue
