// The catalogue of single wiring faults, made once from the wiring model's items.
#include "fault_catalogue.h"

namespace FaultCatalogue {
namespace {

using Line = Sim::Wiring::Line;

struct Held {
    Kind kind;
    const char* level;
};
constexpr Held HELD[] = {{Kind::HELD_LOW, "0"}, {Kind::HELD_HIGH, "1"}, {Kind::OPEN, "open"}};

struct Whole {
    Kind kind;
    const char* miswire;
};
constexpr Whole WHOLE[] = {{Kind::RW_HIGH, "RW=1"},
                           {Kind::RW_OPEN, "RW=open"},
                           {Kind::BUS_REVERSED, "bus=reversed"},
                           {Kind::BUS_UP, "bus=up"},
                           {Kind::BUS_DOWN, "bus=down"}};

Fault Make(Kind kind, Line a, Line b, std::string miswire) {
    std::string badItem;
    Sim::Wiring wiring = miswire.empty() ? Sim::Wiring() : *Sim::Wiring::Parse(miswire, badItem);
    return Fault{kind, a, b, std::move(miswire), wiring};
}

std::vector<Fault> Generate() {
    std::vector<Fault> faults = {Make(Kind::CORRECT, Line::D0, Line::D0, "")};
    for (int a = 0; a < Sim::Wiring::LINE_COUNT; ++a) {
        for (int b = a + 1; b < Sim::Wiring::LINE_COUNT; ++b) {
            const auto lineA = static_cast<Line>(a);
            const auto lineB = static_cast<Line>(b);
            faults.push_back(Make(Kind::EXCHANGE, lineA, lineB,
                                  Sim::Wiring::NameOf(lineA) + ":" + Sim::Wiring::NameOf(lineB)));
        }
    }
    // Every pin of the display; AUX is none.
    for (int pin = 0; pin < Sim::Wiring::AUX; ++pin) {
        for (const Held& held : HELD) {
            const auto line = static_cast<Line>(pin);
            faults.push_back(
                Make(held.kind, line, line, Sim::Wiring::NameOf(line) + "=" + held.level));
        }
    }
    for (const Whole& whole : WHOLE) {
        faults.push_back(Make(whole.kind, Line::D0, Line::D0, whole.miswire));
    }
    return faults;
}

} // namespace

const std::vector<Fault>& All() {
    static const std::vector<Fault> faults = Generate();
    return faults;
}

int EffectOf(const Fault& fault) {
    constexpr int LINES = Sim::Wiring::LINE_COUNT;
    constexpr int PIN_LOW = 0;
    constexpr int PIN_HIGH = 1;
    constexpr int EXCHANGES = 2 * LINES;
    constexpr int OTHERS = EXCHANGES + LINES * LINES;
    switch (fault.kind) {
    case Kind::HELD_LOW:
        return 2 * fault.a + PIN_LOW;
    case Kind::HELD_HIGH:
        return 2 * fault.a + PIN_HIGH;
    case Kind::OPEN:
        return 2 * fault.a + (fault.a == Sim::Wiring::E ? PIN_LOW : PIN_HIGH);
    case Kind::EXCHANGE:
        return EXCHANGES + fault.a * LINES + fault.b;
    case Kind::RW_OPEN:
        return OTHERS + static_cast<int>(Kind::RW_HIGH);
    default:
        return OTHERS + static_cast<int>(fault.kind);
    }
}

} // namespace FaultCatalogue
