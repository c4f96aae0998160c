// The catalogue of single wiring faults, which of them are one to the controller, and
// their words.
#include "fault_catalogue.h"

#include "texts.h"

#include <algorithm>

namespace FaultCatalogue {
namespace {

using Hid2checkTexts::Id;
using Hid2checkTexts::Say;
using Line = Sim::Wiring::Line;

constexpr const char* HELD[] = {"0", "1", "open"};
constexpr const char* WHOLE[] = {"RW=1", "RW=open", "bus=reversed", "bus=up", "bus=down"};
constexpr const char* OPEN = "=open";

Fault Make(const std::string& miswire) {
    std::string badItem;
    return {miswire, miswire.empty() ? Sim::Wiring() : *Sim::Wiring::Parse(miswire, badItem)};
}

std::vector<Fault> Generate() {
    std::vector<Fault> faults = {Make("")};
    for (int a = 0; a < Sim::Wiring::LINE_COUNT; ++a) {
        for (int b = a + 1; b < Sim::Wiring::LINE_COUNT; ++b) {
            faults.push_back(Make(Sim::Wiring::NameOf(static_cast<Line>(a)) + ":" +
                                  Sim::Wiring::NameOf(static_cast<Line>(b))));
        }
    }
    // Every pin of the display; AUX is none.
    for (int pin = 0; pin < Sim::Wiring::AUX; ++pin) {
        for (const char* level : HELD) {
            faults.push_back(Make(Sim::Wiring::NameOf(static_cast<Line>(pin)) + "=" + level));
        }
    }
    for (const char* whole : WHOLE) {
        faults.push_back(Make(whole));
    }
    return faults;
}

// The pins for every value of port 1 and of the four bits of port 2 that reach a line.
bool OneToTheController(const Sim::Wiring& a, const Sim::Wiring& b) {
    for (int data = 0; data < 256; ++data) {
        for (int control = 0; control < 16; ++control) {
            const auto d = static_cast<uint8_t>(data);
            const auto c = static_cast<uint8_t>(control);
            if (!(a.Pins(d, c) == b.Pins(d, c))) {
                return false;
            }
        }
    }
    return a.RwGrounded() == b.RwGrounded();
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

} // namespace

const std::vector<Fault>& All() {
    static const std::vector<Fault> faults = Generate();
    return faults;
}

size_t ClassOf(size_t fault) {
    static const std::vector<size_t> classes = [] {
        std::vector<size_t> first;
        for (size_t i = 0; i < All().size(); ++i) {
            size_t j = 0;
            while (j < i &&
                   !(first[j] == j && OneToTheController(All()[j].wiring, All()[i].wiring))) {
                ++j;
            }
            first.push_back(j);
        }
        return first;
    }();
    return classes[fault];
}

size_t Representative(const std::vector<size_t>& faults) {
    const auto open = std::find_if(faults.begin(), faults.end(), [](size_t fault) {
        return EndsWith(All()[fault].miswire, OPEN);
    });
    return open != faults.end() ? *open : faults.front();
}

// The words come from the item's form: A:B, A=0, A=1, A=open, RW=..., bus=....
std::string InWords(size_t fault) {
    const std::string& item = All()[fault].miswire;
    const size_t colon = item.find(':');
    const size_t equals = item.find('=');
    if (item.empty()) {
        return Say(Id::FAULT_NONE);
    }
    if (colon != std::string::npos) {
        return Say(Id::FAULT_EXCHANGED, {item.substr(0, colon), item.substr(colon + 1)});
    }
    const std::string pin = item.substr(0, equals);
    const std::string level = item.substr(equals + 1);
    // A pin open and the same pin held are one fault (ClassOf), so the words cover both.
    const bool e = pin == Sim::Wiring::NameOf(Sim::Wiring::E);
    bool alsoOpen = false;
    for (size_t other = 0; other < All().size(); ++other) {
        alsoOpen |= ClassOf(other) == ClassOf(fault) && EndsWith(All()[other].miswire, OPEN);
    }
    if (pin == "RW") {
        return Say(Id::FAULT_RW);
    }
    if (pin == "bus") {
        return Say(level == "reversed" ? Id::FAULT_BUS_REVERSED
                   : level == "up"     ? Id::FAULT_BUS_UP
                                       : Id::FAULT_BUS_DOWN);
    }
    const bool low = level == "0" || (level == "open" && e);
    return Say(low ? (alsoOpen ? Id::FAULT_LOW_OR_OPEN : Id::FAULT_LOW)
                   : (alsoOpen ? Id::FAULT_HIGH_OR_OPEN : Id::FAULT_HIGH),
               {pin});
}

} // namespace FaultCatalogue
