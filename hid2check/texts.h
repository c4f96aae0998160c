// Everything hid2check says, in English and in Japanese (see text_table.h).
#pragma once

#include "language.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace Hid2checkTexts {

using UiLanguage::Language;

enum class Id {
    USAGE,
    UNEXPECTED_ARGUMENT,
    VERDICT,
    PRESS_ENTER,
    // Where the library is.
    LIBRARY,
    FOUND,
    ALSO_FOUND,
    PLACE_BESIDE,
    PLACE_SYSTEM,
    PLACE_SYSTEM16,
    PLACE_WINDOWS,
    PLACE_CURRENT,
    PLACE_PATH,
    // The file and its export names.
    FILE_NOT_FOUND,
    FILE_NOT_FOUND_ANYWHERE,
    FILE_UNREADABLE,
    FILE_FOUND,
    FORMAT_PROGRAM,
    FORMAT_NOT_LIBRARY,
    FORMAT_OTHER_MACHINE,
    FORMAT_OK,
    BITS_32,
    BITS_64,
    MACHINE_OTHER,
    LOAD_OK,
    LOAD_FAILED,
    NAME_EXPORTED,
    NAME_MISSING,
    NAME_NEAR,
    ADVICE_DECORATED,
    ADVICE_LETTER_CASE,
    LIST_SEPARATOR,
    // The board.
    OPEN_TIME,
    BOARD_NONE,
    BOARD_OK,
    SLOW_OPEN_WARNING,
    CONVENTION,
    CONVENTION_UNKNOWN,
    CONVENTION_STDCALL,
    CONVENTION_CDECL,
    CONVENTION_X64,
    TIMING,
    DISPLAY,
    // What the library did to the process that called it.
    STARTUP_CODE,
    CRASHED,
    DID_NOT_RETURN,
    ENDED_PROCESS,
    TOO_SLOW,
    NOT_STARTED,
    ACCESS_VIOLATION,
    IN_PAGE_ERROR,
    ILLEGAL_INSTRUCTION,
    PRIVILEGED_INSTRUCTION,
    DIVISION_BY_ZERO,
    INTEGER_OVERFLOW,
    FLOATING_POINT,
    STACK_OVERFLOW,
    MISALIGNED_DATA,
    ARRAY_BOUNDS,
    BREAKPOINT,
    CPP_EXCEPTION,
    OTHER_EXCEPTION,
    // Verdicts, and the problems that complete them.
    WILL_NOT_START,
    NO_FILE_THERE,
    NOT_FOUND_BY_WINDOWS,
    CANNOT_BE_READ,
    NOT_A_LIBRARY,
    WRONG_MACHINE,
    NEEDS_NAME,
    NEEDS_NAMES,
    CANNOT_LOAD,
    WILL_LOAD,
    NO_BOARD,
    NOT_THE_BOARDS_LIBRARY,
    WILL_WORK,
    WOULD_CRASH,
    WOULD_FREEZE,
    WOULD_END,
    CANNOT_CHECK,
    // The display against the board's pace, and the wiring screens.
    KEEP_UP_WARNING,
    WIRING_SHOWN_OK,
    WIRING_SHOWN,
    WIRING_DONE_ONE,
    WIRING_NO_SUCH_SCREEN,
    // The wiring dialogue: its questions, the faults in words, its verdicts.
    WIRING_QUESTION,
    WIRING_CHOICE_TEXT,
    WIRING_CHOICE_OTHER,
    WIRING_CHOICE_BOXES,
    WIRING_CHOICE_BLANK,
    WIRING_CHOICE_UNCHANGED,
    WIRING_CANT_TELL,
    WIRING_TYPE,
    WIRING_ANSWER,
    WIRING_ANSWER_AGAIN,
    FAULT_NONE,
    FAULT_EXCHANGED,
    FAULT_LOW,
    FAULT_LOW_OR_OPEN,
    FAULT_HIGH,
    FAULT_HIGH_OR_OPEN,
    FAULT_RW,
    FAULT_BUS_REVERSED,
    FAULT_BUS_UP,
    FAULT_BUS_DOWN,
    WIRING_NAMED,
    WIRING_LOOK_ALIKE,
    WIRING_LOOK_ALIKES,
    WIRING_MISREAD,
    WIRING_UNSURE,
    WIRING_DISPLAY,
    WIRING_DISPLAY_OR_WIRES,
    // The line walk.
    LINES_NEXT,
    LINES_DONE,
    LINES_ALL_LOW,
    LINES_ONE_HIGH,
    // The recording of KORVAN3.exe's calls, and its replay.
    RECORDING,
    RECORD_LOG,
    RECORD_DISPLAY,
    RECORD_VIOLATIONS,
    RECORD_NO_BOARD,
    RECORD_STAND_IN_FOUND,
    RECORD_FOLDER_LEFT,
    RECORDED,
    RECORD_NOTHING,
    RECORD_NO_PROGRAM,
    RECORD_NO_STAND_IN,
    RECORD_STAND_IN,
    RECORD_NO_LOG,
    RECORD_NO_FOLDER,
    RECORD_NOT_STARTED,
    RECORD_LOG_UNREADABLE,
    COUNT
};

// The language of every text from now on; English until chosen.
void Use(Language language);
Language InUse();

// The text of `id`, with each {n} replaced by the n-th argument.
std::string Say(Id id, std::initializer_list<std::string> arguments = {});

// The English text as written, placeholders and all, and the Japanese one.
const char* Template(Language language, Id id);

// Items one after another, with the list separator between them.
std::string Joined(const std::vector<std::string>& items);

// `text` without any of `blanks` at either end: a typed answer, a folder on PATH, a row of
// the LCD.
std::string Trimmed(const std::string& text, const char* blanks = " ");

// The name of an exception by its code: "access violation" for 0xC0000005 and so on.
Id ExceptionName(uint32_t code);

// "32-bit" for i386, "64-bit" for x86-64, "machine 0x01C4" for anything else.
std::string Bitness(uint16_t machine);

// `value` with `places` decimals: "0.052".
std::string Decimals(double value, int places);

// "C0000005": the code as Windows documents it, eight upper-case hex digits.
std::string Hex(uint32_t code);

} // namespace Hid2checkTexts
