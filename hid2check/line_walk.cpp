// The steps of the line walk, what each should read at the display's pins, and its words.
#include "line_walk.h"

#include "texts.h"
#include "usbio_link.h"

namespace LineWalk {
namespace {

using Line = Sim::Wiring::Line;

// The display's header: 1 VSS, 2 VDD, 3 V0, 4 RS, 5 R/W, 6 E, 7-14 D0-D7.
constexpr int RS_PIN = 4;
constexpr int E_PIN = 6;
constexpr int D0_PIN = 7;

std::vector<Step> Walk() {
    std::vector<Step> steps = {Step{}};
    for (int line = 0; line <= Sim::Wiring::E; ++line) {
        Step step;
        step.high = static_cast<Line>(line);
        const Sim::Wiring::PortBit bit = Sim::Wiring::BitOf(*step.high);
        (bit.port == UsbIoLink::DATA_PORT ? step.dataPort : step.controlPort) = bit.mask;
        steps.push_back(step);
    }
    return steps;
}

} // namespace

const std::vector<Step>& Steps() {
    static const std::vector<Step> steps = Walk();
    return steps;
}

int PinNumber(Sim::Wiring::Line pin) {
    switch (pin) {
    case Sim::Wiring::RS:
        return RS_PIN;
    case Sim::Wiring::E:
        return E_PIN;
    default:
        return D0_PIN + pin;
    }
}

Reading Read(const Step& step, const Sim::Wiring& wiring) {
    return Reading{wiring.Pins(step.dataPort, step.controlPort), !wiring.RwGrounded()};
}

std::vector<int> Separating(const std::vector<Sim::Wiring>& wirings) {
    std::vector<int> separating;
    const std::vector<Step>& steps = Steps();
    for (size_t i = 0; i < steps.size(); ++i) {
        for (const Sim::Wiring& wiring : wirings) {
            if (!(Read(steps[i], wiring) == Read(steps[i], wirings.front()))) {
                separating.push_back(static_cast<int>(i));
                break;
            }
        }
    }
    return separating;
}

std::string Describe(int step) {
    const Step& walked = Steps()[static_cast<size_t>(step)];
    if (!walked.high) {
        return Hid2checkTexts::Say(Hid2checkTexts::Id::LINES_ALL_LOW, {std::to_string(step)});
    }
    return Hid2checkTexts::Say(Hid2checkTexts::Id::LINES_ONE_HIGH,
                               {std::to_string(step), Sim::Wiring::NameOf(*walked.high),
                                std::to_string(PinNumber(*walked.high))});
}

} // namespace LineWalk
