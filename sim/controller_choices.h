// What the controller does where its datasheet leaves the behaviour open. Chips differ
// there, and a wiring fault drives the controller straight into these corners, so each
// is a choice of the model rather than an assumption; the defaults are one consistent
// chip, not the only one.
//
// Written like a wiring, as a comma-separated list of items, a later item overriding an
// earlier one for the same corner:
//   nibble=paired | restart
//   edge=before | after
//   late-function-set=executed | ignored
//   busy=executed | lost
// Names and words are read in any letter case.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace Sim {

struct ControllerChoices {
    // 4-bit interface, RS changing between the two halves of a byte: the datasheet only
    // shows pairs sent with one RS.
    enum class Nibble : uint8_t {
        PAIRED,  // halves pair as they come; the second half's RS decides where the byte goes
        RESTART, // a half whose RS differs from the first half's is a new first half
    };
    // A port write that drops E and changes a data line or RS together: the datasheet asks
    // for them to be held past the edge, so the chip may take either level.
    enum class Edge : uint8_t {
        BEFORE, // the levels the pins had before the write
        AFTER,  // the levels the write left
    };
    // A function set that keeps the data length, after other instructions: the datasheet
    // says it cannot be executed then, not what the chip does with it.
    enum class LateFunctionSet : uint8_t {
        EXECUTED,
        IGNORED, // taken and timed like any instruction, but changes nothing
    };
    // A transfer while the controller is still busy: undefined on the chip. It is a timing
    // violation either way.
    enum class Busy : uint8_t {
        EXECUTED,
        LOST,
    };

    // The corners, as bits: which of them a stretch of writes met (Board::CornersMet), so
    // that whoever infers from the model knows where the choices could have mattered.
    enum Corner : uint8_t { NIBBLE = 1, EDGE = 2, LATE_FUNCTION_SET = 4, BUSY = 8 };
    static constexpr int CORNER_COUNT = 4;
    // The choice at one corner: 0 today's, 1 the other.
    int At(Corner corner) const;
    void Set(Corner corner, int choice);

    Nibble nibble = Nibble::PAIRED;
    Edge edge = Edge::BEFORE;
    LateFunctionSet lateFunctionSet = LateFunctionSet::EXECUTED;
    Busy busy = Busy::EXECUTED;

    // The choices `text` names, the others at their defaults. When an item is not one of
    // those above, nothing is returned and `badItem` holds the first such item as written.
    static std::optional<ControllerChoices> Parse(std::string_view text, std::string& badItem);

    // The choices that are not the defaults, in the order above and the spelling above,
    // e.g. "nibble=restart,busy=lost"; empty when all are the defaults.
    std::string Describe() const;

    bool operator==(const ControllerChoices&) const = default;
};

} // namespace Sim
