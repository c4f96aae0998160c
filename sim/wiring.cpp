#include "wiring.h"

#include "usbio_link.h"

#include <cctype>
#include <utility>

namespace Sim {
namespace {

constexpr std::array<std::string_view, Wiring::LINE_COUNT> LINE_NAMES = {
    "D0", "D1", "D2", "D3", "D4", "D5", "D6", "D7", "RS", "E", "AUX"};
constexpr int BUS_WIDTH = 8;

std::string Upper(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return upper;
}

std::optional<Wiring::Line> LineNamed(std::string_view name) {
    for (int line = 0; line < Wiring::LINE_COUNT; ++line) {
        if (LINE_NAMES[static_cast<size_t>(line)] == name) {
            return static_cast<Wiring::Line>(line);
        }
    }
    return std::nullopt;
}

bool LineLevel(Wiring::Line line, uint8_t dataPort, uint8_t controlPort) {
    const Wiring::PortBit bit = Wiring::BitOf(line);
    return ((bit.port == UsbIoLink::DATA_PORT ? dataPort : controlPort) & bit.mask) != 0;
}

} // namespace

std::string Wiring::NameOf(Line line) {
    return std::string(LINE_NAMES[line]);
}

Wiring::PortBit Wiring::BitOf(Line line) {
    switch (line) {
    case RS:
        return {UsbIoLink::CONTROL_PORT, UsbIoLink::RS_LINE};
    case AUX:
        return {UsbIoLink::CONTROL_PORT, UsbIoLink::AUX_LINE};
    case E:
        return {UsbIoLink::CONTROL_PORT, UsbIoLink::E_LINE};
    default:
        return {UsbIoLink::DATA_PORT, static_cast<uint8_t>(1 << line)};
    }
}

std::optional<Wiring::Line> Wiring::LineTo(Line pin) const {
    const Source& source = sources[pin];
    if (source.kind != Source::Kind::LINE) {
        return std::nullopt;
    }
    return source.line;
}

Wiring::Wiring() {
    for (int line = 0; line < LINE_COUNT; ++line) {
        sources[static_cast<size_t>(line)] = {Source::Kind::LINE, static_cast<Line>(line)};
    }
    static const Wiring correct = [this] {
        Wiring made = *this;
        made.MakeTable();
        return made;
    }();
    table = correct.table;
}

std::optional<Wiring> Wiring::Parse(std::string_view text, std::string& badItem) {
    Wiring wiring;
    size_t start = 0;
    for (;;) {
        const size_t comma = text.find(',', start);
        const std::string_view item =
            text.substr(start, comma == std::string_view::npos ? comma : comma - start);
        if (!wiring.Apply(item)) {
            badItem = std::string(item);
            return std::nullopt;
        }
        if (comma == std::string_view::npos) {
            wiring.MakeTable();
            return wiring;
        }
        start = comma + 1;
    }
}

bool Wiring::Apply(std::string_view item) {
    const std::string upper = Upper(item);
    const size_t colon = upper.find(':');
    if (colon != std::string::npos) {
        const auto a = LineNamed(std::string_view(upper).substr(0, colon));
        const auto b = LineNamed(std::string_view(upper).substr(colon + 1));
        if (!a || !b || *a == *b) {
            return false;
        }
        Exchange(*a, *b);
        items.push_back(NameOf(*a) + ":" + NameOf(*b));
        return true;
    }
    const size_t equals = upper.find('=');
    if (equals == std::string::npos) {
        return false;
    }
    const std::string name = upper.substr(0, equals);
    const std::string value = upper.substr(equals + 1);
    if (name == "BUS") {
        if (value == "REVERSED") {
            ReverseBus();
            items.emplace_back("bus=reversed");
        } else if (value == "UP" || value == "DOWN") {
            ShiftBus(value == "UP" ? 1 : -1);
            items.push_back(value == "UP" ? "bus=up" : "bus=down");
        } else {
            return false;
        }
        return true;
    }
    if (name == "RW") {
        if (value != "1" && value != "OPEN") {
            return false;
        }
        rwGrounded = false;
        items.push_back(value == "1" ? "RW=1" : "RW=open");
        return true;
    }
    const auto pin = LineNamed(name);
    if (!pin || *pin == AUX) {
        return false;
    }
    Source& source = sources[*pin];
    if (value == "0") {
        source.kind = Source::Kind::LOW;
    } else if (value == "1") {
        source.kind = Source::Kind::HIGH;
    } else if (value == "OPEN") {
        source.kind = Source::Kind::OPEN;
    } else {
        return false;
    }
    items.push_back(NameOf(*pin) + "=" + (value == "OPEN" ? "open" : value));
    return true;
}

void Wiring::Exchange(Line a, Line b) {
    std::swap(sources[a], sources[b]);
}

// Pin D(i + step) takes what reached D i; a pin nothing reaches any more is open.
void Wiring::ShiftBus(int step) {
    const auto before = sources;
    for (int pin = 0; pin < BUS_WIDTH; ++pin) {
        const int from = pin - step;
        sources[static_cast<size_t>(pin)] = from >= 0 && from < BUS_WIDTH
                                                ? before[static_cast<size_t>(from)]
                                                : Source{Source::Kind::OPEN, D0};
    }
}

void Wiring::ReverseBus() {
    const auto before = sources;
    for (int pin = 0; pin < BUS_WIDTH; ++pin) {
        sources[static_cast<size_t>(pin)] = before[static_cast<size_t>(BUS_WIDTH - 1 - pin)];
    }
}

bool Wiring::Correct() const {
    for (int pin = 0; pin < LINE_COUNT; ++pin) {
        const Source& source = sources[static_cast<size_t>(pin)];
        if (source.kind != Source::Kind::LINE || source.line != pin) {
            return false;
        }
    }
    return rwGrounded;
}

std::string Wiring::Describe() const {
    std::string described;
    if (Correct()) {
        return described;
    }
    for (const std::string& item : items) {
        described += (described.empty() ? "" : ",") + item;
    }
    return described;
}

bool Wiring::Level(Line pin, uint8_t dataPort, uint8_t controlPort) const {
    const Source& source = sources[pin];
    switch (source.kind) {
    case Source::Kind::LOW:
        return false;
    case Source::Kind::HIGH:
        return true;
    case Source::Kind::OPEN:
        // The controller pulls its bus and RS inputs up; nothing holds E up.
        return pin != E;
    case Source::Kind::LINE:
        break;
    }
    return LineLevel(source.line, dataPort, controlPort);
}

void Wiring::MakeTable() {
    auto all = std::make_shared<std::array<LcdPins, 256 * CONTROL_VALUES>>();
    for (size_t data = 0; data < 256; ++data) {
        for (size_t control = 0; control < CONTROL_VALUES; ++control) {
            (*all)[data * CONTROL_VALUES + control] =
                Compute(static_cast<uint8_t>(data), static_cast<uint8_t>(control));
        }
    }
    table = std::move(all);
}

LcdPins Wiring::Pins(uint8_t dataPort, uint8_t controlPort) const {
    return (*table)[dataPort * CONTROL_VALUES + (controlPort & (CONTROL_VALUES - 1))];
}

LcdPins Wiring::Compute(uint8_t dataPort, uint8_t controlPort) const {
    LcdPins pins;
    for (int bit = 0; bit < BUS_WIDTH; ++bit) {
        if (Level(static_cast<Line>(bit), dataPort, controlPort)) {
            pins.data = static_cast<uint8_t>(pins.data | (1 << bit));
        }
    }
    pins.rs = Level(RS, dataPort, controlPort);
    pins.e = Level(E, dataPort, controlPort);
    return pins;
}

} // namespace Sim
