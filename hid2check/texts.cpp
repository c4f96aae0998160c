// Every text hid2check says, in English and in Japanese, and the helpers that fill them in.
#include "texts.h"

#include "pe_image.h"
#include "text_table.h"

#include <cstdio>
#include <iterator>

namespace Hid2checkTexts {
namespace {

// One row a text, in the order of Id.
constexpr TextTable::Row<Id> CATALOGUE[] = {
    {Id::USAGE,
     "usage: hid2check [--live | --wiring [N] | --lines | --record] [--lang en|ja] [PATH]\n"
     "Checks the HID2.DLL that KORVAN3.exe will use: PATH, or without it the HID2.DLL that\n"
     "Windows gives a KORVAN3.exe in the folder of hid2check.exe, searching as Windows does:\n"
     "  that folder, the system folder, the 16-bit system folder, the Windows folder,\n"
     "  the current folder, the folders on the PATH variable\n"
     "  --live        also opens the board, times hidinit, finds the library's calling\n"
     "                convention, times the port writes and shows a test screen on the LCD\n"
     "  --wiring      shows a screen on the LCD, asks what you see there and, from your\n"
     "                answers, the next one, until it can name the wiring fault\n"
     "  --wiring N    shows wiring screen N alone\n"
     "  --lines       drives each line high alone, one step per Enter, for a meter or an\n"
     "                LED at the LCD's pins; then clears the display again\n"
     "  --record      starts the KORVAN3.exe beside hid2check.exe from a temporary folder\n"
     "                with the simulator's stand-in, which passes each call on to the\n"
     "                library and records it in a new log in the current folder\n"
     "                (korvan3-1.log, korvan3-2.log, ...); once KORVAN3.exe is closed,\n"
     "                says where the log is and what its replay leaves on the display\n"
     "  --lang en|ja  the language of the findings (by default that of Windows)\n"
     "The library's code runs in a separate process: a library that crashes, or a call\n"
     "that does not return within {0} s, becomes a finding.\n"
     "Exit codes:\n"
     "  0  KORVAN3.exe will load the library (with --live, --wiring or --lines: and a\n"
     "     board answered; with --record: and its calls are recorded)\n"
     "  1  it will not, or the library crashed or hung (with --record: or it is the\n"
     "     simulator's stand-in)\n"
     "  2  wrong command line\n"
     "  3  with --live, --wiring, --lines or --record: the library is fine, but no board\n"
     "     answered\n"
     "  4  with --record: nothing was recorded: KORVAN3.exe or simulator\\HID2.DLL is\n"
     "     missing beside hid2check.exe, or the log or the temporary folder cannot be\n"
     "     made, or KORVAN3.exe does not start\n",
     "使い方: hid2check [--live | --wiring [N] | --lines | --record] [--lang en|ja] "
     "[ファイルのパス]\n"
     "KORVAN3.exe が使う HID2.DLL を調べます。ファイルのパスを省略すると、\n"
     "hid2check.exe と同じフォルダーの KORVAN3.exe が読み込む HID2.DLL を、\n"
     "Windows と同じ順番で、次の場所から探します。\n"
     "  hid2check.exe と同じフォルダー、システム フォルダー、\n"
     "  16 ビット用のシステム フォルダー、Windows フォルダー、カレント フォルダー、\n"
     "  環境変数 PATH のフォルダー\n"
     "  --live        ボードも開いて、hidinit にかかる時間、ライブラリの呼び出し規約、\n"
     "                ポートへの書き込み時間を調べ、液晶にテスト画面を表示します\n"
     "  --wiring      液晶に画面を表示して何が見えるかを尋ね、答えから次の画面を選んで、\n"
     "                配線の誤りを突き止めます\n"
     "  --wiring N    配線確認用の画面 N だけを表示します\n"
     "  --lines       テスターや LED で調べられるように、線を 1 本ずつ H にします。\n"
     "                Enter キーで次の線に進み、最後に液晶をクリアして元に戻します\n"
     "  --record      hid2check.exe と同じフォルダーの KORVAN3.exe を、シミュレーター用の\n"
     "                HID2.DLL と一緒に一時フォルダーから起動します。この HID2.DLL は\n"
     "                呼び出しをライブラリに中継しながら、カレント フォルダーの新しいログ\n"
     "                （korvan3-1.log、korvan3-2.log、…）に記録します。KORVAN3.exe を\n"
     "                閉じると、ログの場所と、再生したときの液晶の最後の表示を示します\n"
     "  --lang en|ja  表示する言語（省略すると Windows の表示言語）\n"
     "ライブラリのコードは別のプロセスで動かすので、ライブラリがクラッシュしても、\n"
     "呼び出しが {0} 秒たっても戻らなくても、その結果を報告できます。\n"
     "終了コード:\n"
     "  0  KORVAN3.exe はこのライブラリを読み込めます（--live、--wiring、--lines のときは\n"
     "     ボードも応答しました。--record のときは呼び出しを記録しました）\n"
     "  1  読み込めません。または、ライブラリがクラッシュしたか固まりました（--record\n"
     "     のときは、ライブラリがシミュレーター用のものだった場合も含みます）\n"
     "  2  コマンドラインの誤りです\n"
     "  3  --live、--wiring、--lines、--record のとき、ライブラリは問題ありませんが、\n"
     "     ボードが応答しません\n"
     "  4  --record のとき、記録できませんでした。hid2check.exe と同じフォルダーに\n"
     "     KORVAN3.exe か simulator\\HID2.DLL がないか、ログか一時フォルダーを作れないか、\n"
     "     KORVAN3.exe を起動できません\n"},
    {Id::UNEXPECTED_ARGUMENT, "hid2check: unexpected argument '{0}'",
     "hid2check: 引数 '{0}' は使えません"},
    {Id::VERDICT, "verdict: {0}", "判定: {0}"},
    {Id::PRESS_ENTER, "Press Enter to close", "Enter キーを押すと閉じます"},

    {Id::LIBRARY, "library: {0}", "ライブラリ: {0}"},
    {Id::FOUND, "found: {0}; this is the file a KORVAN3.exe beside hid2check.exe loads",
     "見つかった場所: {0}（KORVAN3.exe が実際に読み込むのはこのファイルです）"},
    {Id::ALSO_FOUND,
     "also found: {0} ({1}); Windows finds the one above first, so KORVAN3.exe does not use "
     "this one",
     "ほかの候補: {0}（{1}）。Windows は上のファイルを先に見つけるので、KORVAN3.exe "
     "はこちらを使いません"},
    {Id::PLACE_BESIDE, "beside hid2check.exe", "hid2check.exe と同じフォルダー"},
    {Id::PLACE_SYSTEM, "in the system folder", "システム フォルダー"},
    {Id::PLACE_SYSTEM16, "in the 16-bit system folder", "16 ビット用のシステム フォルダー"},
    {Id::PLACE_WINDOWS, "in the Windows folder", "Windows フォルダー"},
    {Id::PLACE_CURRENT, "in the current folder", "カレント フォルダー"},
    {Id::PLACE_PATH, "in a folder on PATH", "PATH のフォルダー"},

    {Id::FILE_NOT_FOUND, "file: not found", "ファイル: 見つかりません"},
    {Id::FILE_NOT_FOUND_ANYWHERE,
     "file: not found beside hid2check.exe, in the system folder, the 16-bit system folder, "
     "the Windows folder, the current folder or on PATH",
     "ファイル: hid2check.exe と同じフォルダー、システム フォルダー、16 ビット用のシステム "
     "フォルダー、Windows フォルダー、カレント フォルダー、PATH のフォルダーのどこにもありません"},
    {Id::FILE_UNREADABLE, "file: cannot be read ({0})", "ファイル: 開けません（{0}）"},
    {Id::FILE_FOUND, "file: found, {0} bytes", "ファイル: あります（{0} バイト）"},
    {Id::FORMAT_PROGRAM, "format: a Windows program, not a library",
     "形式: ライブラリではなく Windows のプログラムです"},
    {Id::FORMAT_NOT_LIBRARY, "format: not a Windows library",
     "形式: Windows のライブラリではありません"},
    {Id::FORMAT_OTHER_MACHINE, "format: {0} library; KORVAN3.exe is {1} and cannot load it",
     "形式: {0}のライブラリです。KORVAN3.exe は {1}なので読み込めません"},
    {Id::FORMAT_OK, "format: {0} library", "形式: {0}のライブラリ"},
    {Id::BITS_32, "32-bit", "32 ビット"},
    {Id::BITS_64, "64-bit", "64 ビット"},
    // The trailing space: a word of kana follows ("マシン種別 0x01C4 のライブラリ").
    {Id::MACHINE_OTHER, "machine 0x{0}", "マシン種別 0x{0} "},
    {Id::LOAD_OK, "load: loads", "読み込み: できます"},
    {Id::LOAD_FAILED, "load: fails: {0} (error {1})", "読み込み: 失敗（{0}、エラー {1}）"},
    {Id::NAME_EXPORTED, "{0}: exported", "{0}: エクスポートされています"},
    {Id::NAME_MISSING, "{0}: not exported", "{0}: エクスポートされていません"},
    {Id::NAME_NEAR, "{0}: not exported under that name; the library has {1} ({2})",
     "{0}: この名前ではエクスポートされていません。ライブラリにあるのは {1} です（{2}）"},
    {Id::ADVICE_DECORATED,
     "a decorated name: the library was built without plain export names, ask its maker for "
     "the plain ones",
     "装飾付きの名前なので、装飾なしの名前でエクスポートした版があるかボードメーカーに問い合わせて"
     "ください"},
    {Id::ADVICE_LETTER_CASE, "another letter case: Windows matches names exactly",
     "大文字と小文字が違うだけですが、Windows は名前を大文字と小文字まで区別して探します"},
    {Id::LIST_SEPARATOR, ", ", "、"},

    {Id::OPEN_TIME, "open: hidinit returned after {0} ms",
     "オープン: hidinit は {0} ms で戻りました"},
    {Id::BOARD_NONE, "board: no board answered (hidinit returned {0})",
     "ボード: 応答がありません（hidinit の戻り値 {0}）"},
    {Id::BOARD_OK, "board: answered, handle {0}", "ボード: 応答しました（ハンドル {0}）"},
    {Id::SLOW_OPEN_WARNING,
     "warning: without a board one hidinit takes {0} ms, and KORVAN3.exe calls it 3 times "
     "per write cycle until a board answers: a click on \"LCD表示\" with two 16-character rows "
     "would freeze its window for about {1} s",
     "注意: ボードがないと hidinit は 1 回に {0} ms かかります。KORVAN3.exe はボードが応答するまで"
     "書き込み 1 サイクルごとに hidinit を 3 回呼ぶので、2 行とも 16 文字ずつ入力して"
     "「LCD表示」を押すと、"
     "ウィンドウが約 {1} 秒固まります"},
    {Id::CONVENTION, "convention: {0}", "呼び出し規約: {0}"},
    {Id::CONVENTION_UNKNOWN, "convention: unknown (Hidwrite moved the stack by {0} bytes)",
     "呼び出し規約: 不明です（Hidwrite の呼び出し後のスタック ポインターが {0} バイトずれました）"},
    {Id::CONVENTION_STDCALL, "stdcall (the library removes its arguments)",
     "stdcall（引数はライブラリが後始末します）"},
    {Id::CONVENTION_CDECL,
     "cdecl (the library leaves its arguments to the caller; KORVAN3.exe copes)",
     "cdecl（引数の後始末は呼び出し側が行いますが、KORVAN3.exe はこれにも対応しています）"},
    {Id::CONVENTION_X64, "x64 (the one convention of 64-bit Windows)",
     "x64（64 ビット Windows の標準の呼び出し規約）"},
    {Id::TIMING, "timing: one Hidwrite takes {0} ms (median of {1}; a real board needs about 1 ms)",
     "書き込み時間: Hidwrite 1 回に {0} ms（{1} 回の中央値、実物のボードでは 1 ms 前後）"},
    {Id::DISPLAY, "display: brought up; the LCD should now show \"hid2check OK\" and \"{0}\"",
     "表示: 液晶を初期化しました。1 行目に「hid2check OK」、2 行目に「{0}」と出ているはずです"},

    {Id::STARTUP_CODE, "the library's start-up code (DllMain)", "ライブラリの初期化コード DllMain"},
    {Id::CRASHED, "{0} crashed: {1} (0x{2})", "{0} がクラッシュしました: {1}（0x{2}）"},
    {Id::DID_NOT_RETURN, "{0} did not return within {1} s", "{0} が {1} 秒たっても戻りません"},
    {Id::ENDED_PROCESS, "{0} ended the process (exit code {1})",
     "{0} がプロセスを終了させました（終了コード {1}）"},
    {Id::TOO_SLOW, "{0} was still being called after {1} s in all: the checks stop here",
     "全体で {1} 秒たっても {0} の呼び出しが続いているため、確認をここで打ち切ります"},
    {Id::NOT_STARTED, "check: the checking process does not start ({0})",
     "確認: 確認用のプロセスを起動できません（{0}）"},
    {Id::ACCESS_VIOLATION, "access violation", "アクセス違反"},
    {Id::IN_PAGE_ERROR, "in-page error", "ページ内エラー"},
    {Id::ILLEGAL_INSTRUCTION, "illegal instruction", "不正な命令"},
    {Id::PRIVILEGED_INSTRUCTION, "privileged instruction", "特権命令"},
    {Id::DIVISION_BY_ZERO, "division by zero", "0 による除算"},
    {Id::INTEGER_OVERFLOW, "integer overflow", "整数オーバーフロー"},
    {Id::FLOATING_POINT, "floating-point error", "浮動小数点エラー"},
    {Id::STACK_OVERFLOW, "stack overflow", "スタック オーバーフロー"},
    {Id::MISALIGNED_DATA, "misaligned data", "データの境界不整列"},
    {Id::ARRAY_BOUNDS, "array bounds exceeded", "配列の範囲外アクセス"},
    {Id::BREAKPOINT, "breakpoint", "ブレークポイント"},
    {Id::CPP_EXCEPTION, "unhandled C++ exception", "未処理の C++ 例外"},
    {Id::OTHER_EXCEPTION, "exception", "例外"},

    {Id::WILL_NOT_START, "KORVAN3.exe will not start with this library: {0}",
     "KORVAN3.exe は起動できません。{0}"},
    {Id::NO_FILE_THERE, "there is no file there; put the board maker's HID2.DLL beside KORVAN3.exe",
     "指定したパスにファイルがありません。ボードメーカーの HID2.DLL を KORVAN3.exe "
     "と同じフォルダーに置いてください"},
    {Id::NOT_FOUND_BY_WINDOWS,
     "Windows finds no HID2.DLL for it; put the board maker's HID2.DLL beside KORVAN3.exe",
     "Windows が HID2.DLL を見つけられません。ボードメーカーの HID2.DLL を KORVAN3.exe "
     "と同じフォルダーに置いてください"},
    {Id::CANNOT_BE_READ, "the file cannot be read", "ファイルを開けません"},
    {Id::NOT_A_LIBRARY, "the file is not a library; use the board maker's HID2.DLL",
     "このファイルはライブラリではありません。ボードメーカーの HID2.DLL を使ってください"},
    {Id::WRONG_MACHINE, "it is {0}; use the {1} HID2.DLL of the board",
     "これは {0}用です。ボードの {1}用の HID2.DLL を使ってください"},
    {Id::NEEDS_NAME, "it needs {0} under exactly that name",
     "{0} がこのとおりの名前でエクスポートされている必要があります"},
    {Id::NEEDS_NAMES, "it needs {0} under exactly those names",
     "{0} がこのとおりの名前でエクスポートされている必要があります"},
    {Id::CANNOT_LOAD, "Windows cannot load it; a library it needs may be missing",
     "Windows が読み込めません。このライブラリが必要とする別の DLL が足りないのかもしれません"},
    {Id::WILL_LOAD, "KORVAN3.exe will load this library; run hid2check --live to try the board",
     "KORVAN3.exe はこのライブラリを読み込めます。ボードも試すには hid2check --live "
     "を実行してください"},
    {Id::NO_BOARD,
     "the library is fine, but no board answered: plug the board in (or check its USB cable) "
     "and try again",
     "ライブラリは問題ありませんが、ボードが応答しません。ボードをつないで（または USB "
     "ケーブルを確かめて）もう一度試してください"},
    {Id::NOT_THE_BOARDS_LIBRARY,
     "Hidwrite does not take the three numbers KORVAN3.exe passes: this is not the board's "
     "library",
     "Hidwrite が KORVAN3.exe の渡す 3 つの値を受け取りません。これはボード用のライブラリではあり"
     "ません"},
    {Id::WILL_WORK,
     "KORVAN3.exe will work with this library and board; if the LCD stays blank, check the "
     "contrast, then the wiring",
     "KORVAN3.exe はこのライブラリとボードで動きます。液晶に何も表示されないときは、コントラストを"
     "調整してから配線を確かめてください"},
    {Id::WOULD_CRASH,
     "KORVAN3.exe would crash at the same call: {0} crashed ({1}); ask the board's maker for a "
     "HID2.DLL that works",
     "KORVAN3.exe も同じ呼び出しで異常終了します（{0} がクラッシュ: {1}）。正しく動く HID2.DLL "
     "をボードメーカーから入手してください"},
    {Id::WOULD_FREEZE,
     "KORVAN3.exe would freeze at the same call: {0} did not return; plug the board in again "
     "and retry, or ask the board's maker for a HID2.DLL that works",
     "KORVAN3.exe も同じ呼び出しで固まります（{0} が戻りません）。ボードをつなぎ直してもう一度"
     "試すか、正しく動く HID2.DLL をボードメーカーから入手してください"},
    {Id::WOULD_END,
     "KORVAN3.exe would end at the same call: {0} ended the process; ask the board's maker for "
     "a HID2.DLL that works",
     "KORVAN3.exe も同じ呼び出しで終了してしまいます（{0} がプロセスを終了）。正しく動く "
     "HID2.DLL をボードメーカーから入手してください"},
    {Id::CANNOT_CHECK, "hid2check cannot run the library's code, so it cannot tell",
     "hid2check がライブラリのコードを動かせないため、判定できません"},

    {Id::KEEP_UP_WARNING,
     "warning: at {0} ms a write the display cannot keep up: {1} of the {2} transfers of "
     "KORVAN3.exe's screens would reach it while it is busy, and it would lose them (the first "
     "character after each clear, for one); the fix lies on the board's side: a board or "
     "library that takes at least {3} ms a write",
     "注意: 書き込み 1 回が {0} ms では液晶の処理が追いつきません。KORVAN3.exe の画面の転送 {2} "
     "回のうち {1} 回が処理中の液晶に届いて失われます（たとえばクリアの直後の 1 文字）。"
     "KORVAN3.exe は命令のあとに待ち時間を入れないため、ボード側で対処するしかありません。"
     "書き込み 1 回に {3} ms 以上かかるボードかライブラリを使ってください"},
    {Id::WIRING_SHOWN_OK,
     "wiring: screen {0} (of 0 to {1}) is on the LCD; it reads \"{2}\" where the wiring is "
     "right",
     "配線: 画面 {0}（0～{1}）を液晶に表示しました。配線が正しければ「{2}」と読めます"},
    {Id::WIRING_SHOWN,
     "wiring: screen {0} (of 0 to {1}) is on the LCD; it reads \"{2}\" only on a board wired "
     "that way",
     "配線: 画面 {0}（0～{1}）を液晶に表示しました。そのとおりに配線されているときだけ「{2}」と"
     "読めます"},
    {Id::WIRING_DONE_ONE,
     "wiring screen {0} was shown; if you can read it, the wiring is as it says",
     "配線確認用の画面 {0} を表示しました。読めれば、配線はその画面が示すとおりです"},
    {Id::WIRING_NO_SUCH_SCREEN, "hid2check: there is no wiring screen {0}; they are 0 to {1}",
     "hid2check: 配線確認用の画面 {0} はありません（0～{1}）"},

    {Id::WIRING_QUESTION, "wiring: screen {0} is on the LCD (question {1}). What does it show?",
     "配線: 液晶に画面 {0} を表示しました（質問 {1}）。何が見えますか？"},
    {Id::WIRING_CHOICE_TEXT, "row 0 reads \"{0}\"", "1 行目に「{0}」と表示されている"},
    {Id::WIRING_CHOICE_OTHER, "other characters (you can type them next)",
     "ほかの文字が出る（次に入力できます）"},
    {Id::WIRING_CHOICE_BOXES, "dark boxes and nothing else, on row 0 or on both rows",
     "黒い四角が並んでいるだけ（1 行目だけ、または 2 行とも）"},
    {Id::WIRING_CHOICE_BLANK, "the display is blank, not even boxes",
     "何も表示されない（黒い四角も出ない）"},
    {Id::WIRING_CHOICE_UNCHANGED, "nothing changed: the display shows what it did before",
     "前と何も変わらない"},
    {Id::WIRING_CANT_TELL, "can't tell", "わからない"},
    {Id::WIRING_TYPE, "row 0 as it reads, ? for a character you cannot type (or just Enter): ",
     "1 行目の文字（入力できない文字は ?、省略するときは Enter だけ）: "},
    {Id::WIRING_ANSWER, "answer: ", "番号: "},
    {Id::WIRING_ANSWER_AGAIN, "answer with one of the numbers above, then Enter",
     "上の番号のどれかを入力して Enter キーを押してください"},
    {Id::FAULT_NONE, "the wiring is right", "配線は正しいです"},
    {Id::FAULT_EXCHANGED, "the wires of {0} and {1} are exchanged",
     "{0} と {1} の線が入れ替わっています"},
    {Id::FAULT_LOW, "{0} reads low all the time: its wire touches GND",
     "{0} がずっと L のままです。線が GND に触れています"},
    {Id::FAULT_LOW_OR_OPEN, "{0} reads low all the time: its wire is open or touches GND",
     "{0} がずっと L のままです。線が外れているか、GND に触れています"},
    {Id::FAULT_HIGH, "{0} reads high all the time: its wire touches +5 V",
     "{0} がずっと H のままです。線が +5 V に触れています"},
    {Id::FAULT_HIGH_OR_OPEN, "{0} reads high all the time: its wire is open or touches +5 V",
     "{0} がずっと H のままです。線が外れているか、+5 V に触れています"},
    {Id::FAULT_RW,
     "R/W does not reach GND: the display is read at every strobe of E and takes nothing",
     "R/W が GND につながっていません。液晶は E のたびに読み出しになり、何も受け取りません"},
    {Id::FAULT_BUS_REVERSED, "D0 to D7 are wired in reverse order: port 1 bit 0 reaches D7",
     "D0～D7 の順番が逆です（ポート 1 のビット 0 が D7 につながっています）"},
    {Id::FAULT_BUS_UP,
     "the data wires are one pin too high: port 1 bit 0 reaches D1, bit 7 nothing, D0 is open",
     "データ線が 1 本ずつ上にずれています（ポート 1 のビット 0 が D1 に、ビット 7 "
     "はどこにもつながらず、D0 は外れています）"},
    {Id::FAULT_BUS_DOWN,
     "the data wires are one pin too low: port 1 bit 1 reaches D0, bit 0 nothing, D7 is open",
     "データ線が 1 本ずつ下にずれています（ポート 1 のビット 1 が D0 に、ビット 0 "
     "はどこにもつながらず、D7 は外れています）"},
    {Id::WIRING_NAMED, "{0}; LCDSIM --miswire {1} shows the same",
     "{0}。LCDSIM --miswire {1} で同じ表示になります"},
    {Id::WIRING_LOOK_ALIKE, "wiring: it may be: {0} (LCDSIM --miswire {1})",
     "配線: 考えられる誤り: {0}（LCDSIM --miswire {1}）"},
    {Id::WIRING_LOOK_ALIKES,
     "the LCD shows the same under each of these {0} faults; steps {1} of hid2check --lines "
     "tell them apart",
     "液晶の表示からは上の {0} 通りの誤りを区別できません。hid2check --lines のステップ {1} "
     "で見分けられます"},
    {Id::WIRING_MISREAD,
     "the answers fit no fault as given; with one of them misread, they fit the fault above: "
     "run hid2check --wiring again to make sure",
     "答えのとおりに当てはまる誤りはありません。答えを 1 つ読み違えたとすれば、上の誤りが"
     "当てはまります。hid2check --wiring をもう一度実行して確かめてください"},
    {Id::WIRING_UNSURE,
     "the answers name no single fault: turn the contrast, check the power (VDD 5 V, VSS 0 V), "
     "that E and RS reach their pins, that R/W is grounded, and every data line for one that is "
     "open or touches another (hid2check --lines walks through the lines)",
     "答えからは誤りを 1 つに絞れません。コントラストを調整し、電源（VDD が 5 V、VSS が 0 "
     "V）、E と RS がそれぞれのピンに届いているか、R/W が GND "
     "につながっているか、データ線に外れや隣の線との接触がないかを確かめてください（hid2check "
     "--lines で線を 1 本ずつ調べられます）"},
    {Id::WIRING_DISPLAY,
     "the LCD shows nothing of what the screens send: turn the contrast, check the power "
     "(VDD 5 V, VSS 0 V); if it still shows nothing, hid2check --lines walks through the lines",
     "液晶には画面の内容がまったく表示されていません。コントラストを調整し、電源（VDD が 5 V、"
     "VSS が 0 V）を確かめてください。それでも何も表示されないときは、hid2check --lines "
     "で線を 1 本ずつ調べられます"},
    {Id::WIRING_DISPLAY_OR_WIRES,
     "the LCD shows nothing of what the screens send: turn the contrast and check the power "
     "(VDD 5 V, VSS 0 V) first; if it still shows nothing, look for the faults above, which "
     "steps {0} of hid2check --lines tell from a right wiring",
     "液晶には画面の内容がまったく表示されていません。まずコントラストを調整し、電源（VDD が 5 "
     "V、VSS が 0 V）を確かめてください。それでも何も表示されないときは上の配線の誤りが考えられ、"
     "hid2check --lines のステップ {0} で正しい配線と見分けられます"},
    {Id::LINES_NEXT, "Press Enter for the next step", "Enter キーを押すと次のステップに進みます"},
    {Id::LINES_DONE, "every line was driven high alone; the display is cleared again",
     "すべての線を 1 本ずつ H にしました。液晶はクリアして元に戻しました"},
    {Id::LINES_ALL_LOW,
     "step {0}: all lines low: every signal pin (4 RS, 5 R/W, 6 E, 7 to 14 D0 to D7) should "
     "read 0 V against GND (pin 1)",
     "ステップ {0}: すべての線が L です。信号ピン（4 RS、5 R/W、6 E、7～14 D0～D7）はどれも "
     "GND（1 番ピン）に対して 0 V のはずです"},
    {Id::LINES_ONE_HIGH,
     "step {0}: {1} high: LCD pin {2} ({1}) should read about 5 V against GND (pin 1), every "
     "other signal pin 0 V",
     "ステップ {0}: {1} だけが H です。液晶の {2} 番ピン（{1}）が GND（1 番ピン）に対して約 5 "
     "V、ほかの信号ピンはすべて 0 V のはずです"},

    {Id::RECORDING,
     "recording: KORVAN3.exe runs from {0}, where the simulator's stand-in passes each of its "
     "calls on to {1} and records it in {2}; close KORVAN3.exe (or press Ctrl+C here) to end "
     "the recording",
     "記録中: KORVAN3.exe を {0} から起動しました。そこに置いたシミュレーター用の HID2.DLL "
     "が、呼び出しを 1 つずつ {1} に中継しながら {2} に記録します。KORVAN3.exe "
     "を閉じる（またはここで Ctrl+C を押す）と記録を終えます"},
    {Id::RECORD_LOG, "log: {0}, {1} calls", "ログ: {0}（呼び出し {1} 回）"},
    {Id::RECORD_DISPLAY, "replay: the display ends as \"{0}\" in row 0, \"{1}\" in row 1",
     "再生: 最後の表示は 1 行目が「{0}」、2 行目が「{1}」です"},
    {Id::RECORD_VIOLATIONS,
     "replay: {0} timing violations in {1} transfers, at the pace they were recorded at",
     "再生: 記録したときの間隔で、転送 {1} 回のうちタイミング違反は {0} 回です"},
    {Id::RECORD_NO_BOARD,
     "board: no board answered while KORVAN3.exe ran (every hidinit found none), so nothing "
     "reached the display",
     "ボード: KORVAN3.exe の実行中、ボードは一度も応答しませんでした（hidinit "
     "は毎回ボードを見つけられませんでした）。液晶には何も届いていません"},
    {Id::RECORD_STAND_IN_FOUND,
     "stand-in: the library above is the simulator's stand-in, which never reaches a board",
     "シミュレーター用: 上のライブラリはシミュレーター用の HID2.DLL で、ボードには届きません"},
    {Id::RECORD_FOLDER_LEFT,
     "warning: the temporary folder {0} cannot be removed ({1}); delete it yourself",
     "注意: 一時フォルダー {0} を削除できません（{1}）。手で削除してください"},
    {Id::RECORDED,
     "KORVAN3.exe's calls are recorded in {0}; {1} --replay {0} plays them in the simulator's "
     "window",
     "KORVAN3.exe の呼び出しを {0} に記録しました。{1} --replay {0} "
     "でシミュレーターのウィンドウに再生できます"},
    {Id::RECORD_NOTHING, "nothing was recorded: {0}", "記録できませんでした。{0}"},
    {Id::RECORD_NO_PROGRAM,
     "there is no KORVAN3.exe beside hid2check.exe ({0}); extract the whole download into one "
     "folder",
     "hid2check.exe と同じフォルダーに KORVAN3.exe がありません（{0}）。zip "
     "の中身をすべて同じフォルダーに展開してください"},
    {Id::RECORD_NO_STAND_IN,
     "the simulator's stand-in is missing ({0}); extract the whole download, its simulator "
     "folder too",
     "シミュレーター用の HID2.DLL がありません（{0}）。simulator "
     "フォルダーも含めて、zip の中身をすべて展開してください"},
    {Id::RECORD_STAND_IN,
     "the HID2.DLL that KORVAN3.exe would load is the simulator's stand-in, not the board "
     "maker's library; put the maker's HID2.DLL beside KORVAN3.exe in its place",
     "KORVAN3.exe が読み込む HID2.DLL はシミュレーター用で、ボードメーカーのライブラリでは"
     "ありません。KORVAN3.exe と同じフォルダーのものをボードメーカーの HID2.DLL "
     "に置き換えてください"},
    {Id::RECORD_NO_LOG,
     "the log cannot be created in {0} ({1}); run hid2check --record in a folder you can write to",
     "{0} にログを作れません（{1}）。書き込みできるフォルダーで hid2check --record "
     "を実行してください"},
    {Id::RECORD_NO_FOLDER, "KORVAN3.exe cannot be copied into a temporary folder ({0})",
     "KORVAN3.exe を一時フォルダーにコピーできません（{0}）"},
    {Id::RECORD_NOT_STARTED, "KORVAN3.exe does not start ({0})",
     "KORVAN3.exe を起動できません（{0}）"},
    {Id::RECORD_LOG_UNREADABLE, "the log {0} cannot be read ({1})", "ログ {0} を読めません（{1}）"},
};
static_assert(std::size(CATALOGUE) == static_cast<size_t>(Id::COUNT), "one row a text");

static_assert(TextTable::InOrderOfId(CATALOGUE), "the rows in the order of Id");

Language inUse = Language::ENGLISH;

struct Exception {
    uint32_t code;
    Id name;
};

constexpr Exception EXCEPTIONS[] = {
    {0xC0000005, Id::ACCESS_VIOLATION},
    {0xC0000006, Id::IN_PAGE_ERROR},
    {0xC000001D, Id::ILLEGAL_INSTRUCTION},
    {0xC0000096, Id::PRIVILEGED_INSTRUCTION},
    {0xC0000094, Id::DIVISION_BY_ZERO},
    {0xC0000095, Id::INTEGER_OVERFLOW},
    {0xC000008C, Id::ARRAY_BOUNDS},
    {0xC000008D, Id::FLOATING_POINT}, // denormal operand
    {0xC000008E, Id::DIVISION_BY_ZERO},
    {0xC000008F, Id::FLOATING_POINT}, // inexact result
    {0xC0000090, Id::FLOATING_POINT}, // invalid operation
    {0xC0000091, Id::FLOATING_POINT}, // overflow
    {0xC0000092, Id::FLOATING_POINT}, // stack check
    {0xC0000093, Id::FLOATING_POINT}, // underflow
    {0xC00000FD, Id::STACK_OVERFLOW},
    {0x80000002, Id::MISALIGNED_DATA},
    {0x80000003, Id::BREAKPOINT},
    {0xE06D7363, Id::CPP_EXCEPTION}, // the code Microsoft's C++ compiler throws with
};

} // namespace

void Use(Language language) {
    inUse = language;
}

Language InUse() {
    return inUse;
}

const char* Template(Language language, Id id) {
    return TextTable::Text(CATALOGUE, id, language);
}

std::string Say(Id id, std::initializer_list<std::string> arguments) {
    return TextTable::Fill(Template(inUse, id), arguments);
}

std::string Joined(const std::vector<std::string>& items) {
    std::string joined;
    for (const std::string& item : items) {
        joined += (joined.empty() ? "" : Say(Id::LIST_SEPARATOR)) + item;
    }
    return joined;
}

std::string Trimmed(const std::string& text, const char* blanks) {
    const size_t first = text.find_first_not_of(blanks);
    return first == std::string::npos
               ? ""
               : text.substr(first, text.find_last_not_of(blanks) + 1 - first);
}

Id ExceptionName(uint32_t code) {
    for (const Exception& exception : EXCEPTIONS) {
        if (exception.code == code) {
            return exception.name;
        }
    }
    return Id::OTHER_EXCEPTION;
}

std::string Bitness(uint16_t machine) {
    if (machine == PeImage::MACHINE_I386 || machine == PeImage::MACHINE_AMD64) {
        return Say(machine == PeImage::MACHINE_I386 ? Id::BITS_32 : Id::BITS_64);
    }
    return Say(Id::MACHINE_OTHER, {Hex(machine).substr(4)});
}

std::string Decimals(double value, int places) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", places, value);
    return text;
}

std::string Hex(uint32_t code) {
    char text[9];
    std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(code));
    return text;
}

} // namespace Hid2checkTexts
