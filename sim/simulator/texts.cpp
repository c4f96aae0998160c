#include "texts.h"

#include <windows.h>

#include <cstddef>
#include <iterator>

namespace Texts {
namespace {

struct Text {
    Id id;
    const wchar_t* english;
    const wchar_t* japanese;
};

// One row per Id, in the order of the Id.
constexpr Text TEXTS[] = {
    {Id::TITLE, L"LCDSIM - USB-IO + LCD 16x2", L"LCDSIM - USB-IO + LCD 16x2 シミュレーター"},
    {Id::REPLAY_TITLE, L"LCDSIM - replay of %1", L"LCDSIM - %1 を再生中"},
    {Id::REPLAY_ENDED_TITLE, L"LCDSIM - replay of %1 (ended)", L"LCDSIM - %1 の再生（終了）"},
    {Id::COUNTS, L"port writes %1    transfers %2    ", L"ポート書き込み %1 回　転送 %2 回　"},
    {Id::VIOLATIONS, L"timing violations %1", L"タイミング違反 %1 回"},
    {Id::TIMES, L"virtual time %1 us    write cost %2 us", L"仮想時間 %1 μs　書き込みコスト %2 μs"},
    {Id::USAGE,
     L"usage: LCDSIM.exe [--replay FILE [--text]] [--hidden] [--write-cost-us N] "
     L"[--ignore-gaps] [--at X Y] [--lang en|ja] | --print | --quit | --help\n",
     L"使い方: LCDSIM.exe [--replay ファイル [--text]] [--hidden] [--write-cost-us N] "
     L"[--ignore-gaps] [--at X Y] [--lang en|ja] | --print | --quit | --help\n"},
    {Id::HELP,
     L"The USB-IO board with its 16x2 LCD, simulated in a window. KORVAN3.exe reaches it\n"
     L"through the stand-in HID2.DLL beside it (folder simulator).\n"
     L"\n"
     L"  (no option)          starts the simulator; only one runs at a time\n"
     L"  --hidden             no visible window (it answers HID2.DLL all the same)\n"
     L"  --at X Y             puts the window at X, Y on the screen\n"
     L"  --write-cost-us N    virtual time of one port write, in us (default 1000)\n"
     L"  --ignore-gaps        virtual time counts the write costs only\n"
     L"  --replay FILE        plays a log of HID2_LOG in the window at its pace\n"
     L"  --text               with --replay: plays it at once and prints the display\n"
     L"  --print              prints the running simulator's display\n"
     L"  --quit               closes the running simulator\n"
     L"  --lang en|ja         language of the window and the messages\n"
     L"                       (default: the Windows display language)\n"
     L"  --help               shows this text\n"
     L"\n"
     L"exit codes:\n"
     L"  0  done\n"
     L"  1  no simulator runs (--print, --quit); the log cannot be read;\n"
     L"     a simulator runs already (--replay); the window cannot be made\n"
     L"  2  a wrong command line; a line of the log that is no call\n",
     L"USB-IO ボードと 16 文字 × 2 行の液晶をウィンドウの中で再現します。\n"
     L"KORVAN3.exe からは、同じフォルダーにあるシミュレーター用の HID2.DLL を通して使います。\n"
     L"\n"
     L"  (オプションなし)     シミュレーターを起動します（同時に 1 つだけ）\n"
     L"  --hidden             ウィンドウを出さずに動かします\n"
     L"  --at X Y             ウィンドウを画面の X, Y の位置に出します\n"
     L"  --write-cost-us N    ポート書き込み 1 回の仮想時間（μs、既定値 1000）\n"
     L"  --ignore-gaps        書き込みの間の実時間を仮想時間に数えません\n"
     L"  --replay ファイル    HID2_LOG の記録を、記録時のペースで再生します\n"
     L"  --text               --replay と併用: 一気に再生して最後の表示を出力します\n"
     L"  --print              起動中のシミュレーターの表示を出力します\n"
     L"  --quit               起動中のシミュレーターを閉じます\n"
     L"  --lang en|ja         ウィンドウとメッセージの言語\n"
     L"                       （既定は Windows の表示言語）\n"
     L"  --help               この説明を表示します\n"
     L"\n"
     L"終了コード:\n"
     L"  0  正常終了\n"
     L"  1  シミュレーターが起動していない（--print、--quit）、ログを読み込めない、\n"
     L"     シミュレーターがすでに起動している（--replay）、ウィンドウを作れない\n"
     L"  2  コマンドラインの誤り、ログに呼び出しではない行がある\n"},
    {Id::NO_SIMULATOR, L"LCDSIM: no simulator is running\n",
     L"LCDSIM: シミュレーターが起動していません\n"},
    {Id::DID_NOT_CLOSE, L"LCDSIM: the simulator did not close\n",
     L"LCDSIM: シミュレーターが終了しませんでした\n"},
    {Id::NO_WINDOW, L"LCDSIM: cannot create the window\n", L"LCDSIM: ウィンドウを作成できません\n"},
    {Id::RUNNING_ALREADY, L"LCDSIM: a simulator is running already; close it to replay\n",
     L"LCDSIM: シミュレーターがすでに起動しています。閉じてから再生してください\n"},
    {Id::CANNOT_READ, L"LCDSIM: cannot read %1\n", L"LCDSIM: %1 を読み込めません\n"},
    {Id::BAD_LINE, L"LCDSIM: %1 line %2: %3\n", L"LCDSIM: %1 の %2 行目: %3\n"},
};
constexpr bool InIdOrder() {
    for (size_t i = 0; i < std::size(TEXTS); ++i) {
        if (TEXTS[i].id != static_cast<Id>(i)) {
            return false;
        }
    }
    return std::size(TEXTS) == static_cast<size_t>(Id::COUNT);
}
static_assert(InIdOrder(), "one text per Id, in the order of the Id");

struct ProblemText {
    Sim::LineProblem problem;
    const wchar_t* english;
    const wchar_t* japanese;
};

constexpr ProblemText PROBLEMS[] = {
    {Sim::LineProblem::NONE, L"", L""},
    {Sim::LineProblem::NO_TIME, L"the line does not start with the time in microseconds",
     L"行の先頭がマイクロ秒単位の時刻ではありません"},
    {Sim::LineProblem::NO_CALL, L"no call after the time", L"時刻のあとに呼び出しがありません"},
    {Sim::LineProblem::UNKNOWN_CALL, L"not a call of the library (hidinit, Hidwrite or Hidread)",
     L"ライブラリの呼び出し（hidinit、Hidwrite、Hidread）ではありません"},
    {Sim::LineProblem::HIDINIT_NUMBERS, L"hidinit takes one number, its result",
     L"hidinit のあとには数値が 1 つ（戻り値）必要です"},
    {Sim::LineProblem::HIDWRITE_NUMBERS,
     L"Hidwrite takes three numbers: a handle, a port and a value",
     L"Hidwrite のあとには数値が 3 つ（ハンドル、ポート、値）必要です"},
    {Sim::LineProblem::HIDREAD_NUMBERS, L"Hidread takes two numbers: a handle and a port",
     L"Hidread のあとには数値が 2 つ（ハンドル、ポート）必要です"},
};

Language current = Language::ENGLISH;

} // namespace

Language DisplayLanguage() {
    return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE ? Language::JAPANESE
                                                                      : Language::ENGLISH;
}

void Use(Language language) {
    current = language;
}

const wchar_t* Get(Id id) {
    const Text& text = TEXTS[static_cast<size_t>(id)];
    return current == Language::JAPANESE ? text.japanese : text.english;
}

const wchar_t* Describe(Sim::LineProblem problem) {
    for (const ProblemText& text : PROBLEMS) {
        if (text.problem == problem) {
            return current == Language::JAPANESE ? text.japanese : text.english;
        }
    }
    return L"";
}

std::wstring Fill(const wchar_t* pattern, std::initializer_list<std::wstring> values) {
    std::wstring text;
    for (const wchar_t* at = pattern; *at != L'\0'; ++at) {
        const size_t index = static_cast<size_t>(at[1] - L'1');
        if (at[0] == L'%' && at[1] >= L'1' && index < values.size()) {
            text += values.begin()[index];
            ++at;
        } else {
            text += *at;
        }
    }
    return text;
}

} // namespace Texts
