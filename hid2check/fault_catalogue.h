// The single faults a hand-wired board can have, each a wiring of the model as LCDSIM's
// --miswire spells it: the correct wiring; two of the eleven lines D0-D7, RS, E and AUX
// exchanged; a pin of D0-D7, RS or E held low, held high or open; R/W high or open; the
// data bus reversed or shifted. Which of them the controller cannot tell apart is computed
// from the wiring model, and each is put into words from its item.
#pragma once

#include "wiring.h"

#include <string>
#include <vector>

namespace FaultCatalogue {

struct Fault {
    // As --miswire takes it; empty for the correct wiring.
    std::string miswire;
    Sim::Wiring wiring;
};

// The 91 faults, the correct wiring first.
const std::vector<Fault>& All();

// Faults that put the same levels on every pin of the display for every value of the
// ports, R/W alike, are one to the controller: a data pin open floats high as if held
// high, E open reads low. The index of the first fault of the catalogue that `fault` is
// one with.
size_t ClassOf(size_t fault);

// Of faults that are one, the one to try in LCDSIM: an open wire, the commonest.
size_t Representative(const std::vector<size_t>& faults);

// The fault in words, covering every fault it is one with: "D2 reads high all the time:
// its wire is open or touches +5 V".
std::string InWords(size_t fault);

} // namespace FaultCatalogue
