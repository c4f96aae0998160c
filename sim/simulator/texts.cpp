#include "texts.h"

#include "text_table.h"

#include <iterator>

namespace LcdsimTexts {
namespace {

// One row per Id, in the order of the Id.
constexpr TextTable::Row<Id> TEXTS[] = {
    {Id::TITLE, "LCDSIM - USB-IO + LCD 16x2", "LCDSIM - USB-IO + LCD 16x2 シミュレーター"},
    {Id::REPLAY_TITLE, "LCDSIM - replay of {0}", "LCDSIM - {0} を再生中"},
    {Id::REPLAY_ENDED_TITLE, "LCDSIM - replay of {0} (ended)", "LCDSIM - {0} の再生終了"},
    {Id::MISWIRED, " - miswired: {0}", " - 配線の誤り: {0}"},
    {Id::CONTROLLER, " - controller: {0}", " - コントローラー: {0}"},
    {Id::COUNTS, "port writes {0}    transfers {1}    ", "ポート書き込み {0} 回　転送 {1} 回　"},
    {Id::VIOLATIONS, "timing violations {0}", "タイミング違反 {0} 回"},
    {Id::TIMES, "virtual time {0} us    write cost {1} us",
     "仮想時間 {0} μs　書き込み 1 回の時間 {1} μs"},
    {Id::USAGE,
     "usage: LCDSIM.exe [--replay FILE [--text]] [--hidden] [--write-cost-us N] "
     "[--ignore-gaps] [--miswire WIRING] [--controller CHOICES] [--at X Y] [--lang en|ja] "
     "| --print | --quit | --help\n",
     "使い方: LCDSIM.exe [--replay ファイル [--text]] [--hidden] [--write-cost-us N] "
     "[--ignore-gaps] [--miswire 配線] [--controller 選択] [--at X Y] [--lang en|ja] "
     "| --print | --quit | --help\n"},
    {Id::HELP,
     "The USB-IO board with its 16x2 LCD, simulated in a window. KORVAN3.exe reaches it\n"
     "through the stand-in HID2.DLL beside it (folder simulator).\n"
     "\n"
     "  (no option)          starts the simulator; only one runs at a time\n"
     "  --hidden             no visible window (it answers HID2.DLL all the same)\n"
     "  --at X Y             puts the window at X, Y on the screen\n"
     "  --write-cost-us N    virtual time of one port write, in us (default 1000)\n"
     "  --ignore-gaps        virtual time counts the write costs only\n"
     "  --miswire WIRING     wires the board to the display wrongly, as WIRING says: items\n"
     "                       such as D3:D4 (two wires exchanged), RS:E, E=open, D5=0,\n"
     "                       RW=open, bus=reversed, bus=up, bus=down, comma-separated;\n"
     "                       with a simulator running: rewires it, keeping its display\n"
     "  --controller CHOICES what the controller does where its datasheet is silent:\n"
     "                       items nibble=restart, edge=after, late-function-set=ignored,\n"
     "                       busy=lost (default: nibble=paired, edge=before,\n"
     "                       late-function-set=executed, busy=executed), comma-separated;\n"
     "                       with a simulator running: chooses for it\n"
     "  --replay FILE        plays a log of HID2_LOG in the window at its pace\n"
     "  --text               with --replay: plays it at once and prints the display\n"
     "  --print              prints the running simulator's display\n"
     "  --quit               closes the running simulator\n"
     "  --lang en|ja         language of the window and the messages\n"
     "                       (default: the Windows display language)\n"
     "  --help               shows this text\n"
     "\n"
     "exit codes:\n"
     "  0  done\n"
     "  1  no simulator runs (--print, --quit); the log cannot be read;\n"
     "     a simulator runs already (--replay); the window cannot be made;\n"
     "     the running simulator did not answer (--miswire, --controller)\n"
     "  2  a wrong command line; a line of the log that is no call\n",
     "USB-IO ボードと 16 文字 × 2 行の液晶をウィンドウの中で再現します。\n"
     "KORVAN3.exe は、同じフォルダー（simulator）にあるシミュレーター用の\n"
     "HID2.DLL を通して、このシミュレーターを使います。\n"
     "\n"
     "  （オプションなし）   シミュレーターを起動します（同時に 1 つだけ）\n"
     "  --hidden             ウィンドウを出さずに動かします\n"
     "  --at X Y             ウィンドウを画面の X, Y の位置に出します\n"
     "  --write-cost-us N    ポート書き込み 1 回の仮想時間（μs、既定値 1000）\n"
     "  --ignore-gaps        書き込みの間の実時間を仮想時間に含めません\n"
     "  --miswire 配線       ボードと液晶を指定のとおり誤って配線します。D3:D4（2 本の線の\n"
     "                       入れ替わり）、RS:E、E=open、D5=0、RW=open、bus=reversed、\n"
     "                       bus=up、bus=down をコンマで区切って並べます。\n"
     "                       起動中のシミュレーターには、表示を変えずに配線だけを変えます\n"
     "  --controller 選択    データシートが定めていない点でのコントローラーの動作を\n"
     "                       選びます。nibble=restart、edge=after、\n"
     "                       late-function-set=ignored、busy=lost をコンマで区切って\n"
     "                       並べます（既定は nibble=paired、edge=before、\n"
     "                       late-function-set=executed、busy=executed）。\n"
     "                       起動中のシミュレーターには、その動作を変えます\n"
     "  --replay ファイル    HID2_LOG の記録（ログ）を、記録時のペースで再生します\n"
     "  --text               --replay と併用: 一気に再生して最後の表示を出力します\n"
     "  --print              起動中のシミュレーターの表示を出力します\n"
     "  --quit               起動中のシミュレーターを閉じます\n"
     "  --lang en|ja         ウィンドウとメッセージの言語\n"
     "                       （既定は Windows の表示言語）\n"
     "  --help               この説明を表示します\n"
     "\n"
     "終了コード:\n"
     "  0  正常終了\n"
     "  1  シミュレーターが起動していない（--print、--quit）、記録を読み込めない、\n"
     "     シミュレーターがすでに起動している（--replay）、ウィンドウを作れない、\n"
     "     起動中のシミュレーターが応答しない（--miswire、--controller）\n"
     "  2  コマンドラインの誤り、記録に呼び出しではない行がある\n"},
    {Id::NO_SIMULATOR, "LCDSIM: no simulator is running\n",
     "LCDSIM: シミュレーターが起動していません\n"},
    {Id::DID_NOT_CLOSE, "LCDSIM: the simulator did not close\n",
     "LCDSIM: シミュレーターが終了しませんでした\n"},
    {Id::NO_WINDOW, "LCDSIM: cannot create the window\n", "LCDSIM: ウィンドウを作成できません\n"},
    {Id::RUNNING_ALREADY, "LCDSIM: a simulator is running already; close it to replay\n",
     "LCDSIM: シミュレーターがすでに起動しています。閉じてから再生してください\n"},
    {Id::CANNOT_READ, "LCDSIM: cannot read {0}\n", "LCDSIM: {0} を読み込めません\n"},
    {Id::BAD_LINE, "LCDSIM: {0} line {1}: {2}\n", "LCDSIM: {0} の {1} 行目: {2}\n"},
    {Id::BAD_MISWIRE, "LCDSIM: --miswire: '{0}' is no wiring of the board\n",
     "LCDSIM: --miswire: '{0}' は配線の指定ではありません\n"},
    {Id::BAD_CONTROLLER, "LCDSIM: --controller: '{0}' is no choice of the controller\n",
     "LCDSIM: --controller: '{0}' はコントローラーの動作の指定ではありません\n"},
    {Id::REWIRED, "LCDSIM: the running simulator is now wired {0}\n",
     "LCDSIM: 起動中のシミュレーターの配線を {0} に変更しました\n"},
    {Id::REWIRED_CORRECTLY, "LCDSIM: the running simulator is now wired correctly\n",
     "LCDSIM: 起動中のシミュレーターを正しい配線に変更しました\n"},
    {Id::CONTROLLER_CHOSEN, "LCDSIM: the running simulator's controller now chooses {0}\n",
     "LCDSIM: 起動中のシミュレーターのコントローラーの動作を {0} に変更しました\n"},
    {Id::CONTROLLER_DEFAULTS,
     "LCDSIM: the running simulator's controller now makes the default choices\n",
     "LCDSIM: 起動中のシミュレーターのコントローラーを既定の動作に変更しました\n"},
    {Id::DID_NOT_REWIRE,
     "LCDSIM: the running simulator did not answer; its wiring and controller are unchanged\n",
     "LCDSIM: 起動中のシミュレーターが応答しませんでした。配線とコントローラーの動作は"
     "変わっていません\n"},
};
static_assert(std::size(TEXTS) == static_cast<size_t>(Id::COUNT), "one text per Id");
static_assert(TextTable::InOrderOfId(TEXTS), "the texts in the order of the Id");

constexpr TextTable::Row<Sim::LineProblem> PROBLEMS[] = {
    {Sim::LineProblem::NONE, "", ""},
    {Sim::LineProblem::NO_TIME, "the line does not start with the time in microseconds",
     "行の先頭がマイクロ秒単位の時刻ではありません"},
    {Sim::LineProblem::NO_CALL, "no call after the time", "時刻のあとに呼び出しがありません"},
    {Sim::LineProblem::UNKNOWN_CALL, "not a call of the library (hidinit, Hidwrite or Hidread)",
     "ライブラリの呼び出し（hidinit、Hidwrite、Hidread）ではありません"},
    {Sim::LineProblem::HIDINIT_NUMBERS, "hidinit takes one number, its result",
     "hidinit のあとには数値が 1 つ（戻り値）必要です"},
    {Sim::LineProblem::HIDWRITE_NUMBERS,
     "Hidwrite takes three numbers: a handle, a port and a value",
     "Hidwrite のあとには数値が 3 つ（ハンドル、ポート、値）必要です"},
    {Sim::LineProblem::HIDREAD_NUMBERS, "Hidread takes two numbers: a handle and a port",
     "Hidread のあとには数値が 2 つ（ハンドル、ポート）必要です"},
};

static_assert(std::size(PROBLEMS) == static_cast<size_t>(Sim::LineProblem::HIDREAD_NUMBERS) + 1,
              "one text per problem");
static_assert(TextTable::InOrderOfId(PROBLEMS), "the problems in the order of LineProblem");

Language current = Language::ENGLISH;

} // namespace

void Use(Language language) {
    current = language;
}

std::string Say(Id id, std::initializer_list<std::string> arguments) {
    return TextTable::Fill(TextTable::Text(TEXTS, id, current), arguments);
}

std::string Describe(Sim::LineProblem problem) {
    return TextTable::Text(PROBLEMS, problem, current);
}

} // namespace LcdsimTexts
