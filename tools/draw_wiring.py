#!/usr/bin/env python3
"""Writes the wiring diagram (USB-IO board to a 16x2 HD44780 module) as an ImageMagick
draw script (MVG) on standard output; scripts/draw_wiring.sh renders it to
docs/wiring.png, and with the language ja to docs/wiring-ja.png.

    draw_wiring.py [en|ja]

The wires are the tables below, the same in both languages; only the words differ."""

import sys

WIDTH = 960

DATA, RS, ENABLE, AUX = "#1f5fbf", "#1a8a3a", "#d2691e", "#8a8a8a"
SUPPLY, GROUND, INK = "#c62828", "#222222", "#000000"

# The module's 16-pin header: number, name.
LCD_PINS = [
    (1, "VSS"), (2, "VDD"), (3, "V0"), (4, "RS"), (5, "R/W"), (6, "E"),
    (7, "D0"), (8, "D1"), (9, "D2"), (10, "D3"), (11, "D4"), (12, "D5"), (13, "D6"),
    (14, "D7"), (15, "A (LED+)"), (16, "K (LED-)"),
]

# Board lines driven by the program: port, bit, LCD pin, signal name, colour.
SIGNALS = [(2, 0, 4, "RS", RS), (2, 3, 6, "E", ENABLE)] + [
    (1, bit, 7 + bit, f"D{bit}", DATA) for bit in range(8)
]
AUX_PORT, AUX_BIT = 2, 1

DEJAVU = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"
DEJAVU_BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
# IPA P Gothic has no bold face: the Japanese headings are set in the regular one.
IPA_GOTHIC = "/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf"

WORDS = {
    "en": {
        "font": DEJAVU,
        "bold": DEJAVU_BOLD,
        "title": "KORVAN3: wiring a 16x2 HD44780 LCD to the USB-IO board",
        "board": "USB-IO board",
        "lcd": "LCD (HD44780)",
        "port": "port {0} bit {1}",
        "aux": "AUX, free",
        "notes": [
            "AUX (port 2 bit 1) is high during the bring-up, and again from just before the goodbye's"
            " clear on, also after KORVAN3 has exited.",
            "Wire AUX to nothing, or to an LED with its resistor.  Port 2 bit 2 is not used.",
            "10 k: contrast potentiometer, wiper on V0.  R*: backlight resistor as the module's"
            " data sheet says (many modules have it on board).",
            "R/W to GND: the program only writes.  Without a backlight the module has 14 pins;"
            " 1 to 14 are the same.",
        ],
    },
    "ja": {
        "font": IPA_GOTHIC,
        "bold": IPA_GOTHIC,
        "title": "KORVAN3: 16×2 液晶（HD44780）と USB-IO ボードの配線",
        "board": "USB-IO ボード",
        "lcd": "液晶（HD44780）",
        "port": "ポート {0} ビット {1}",
        "aux": "AUX（空き）",
        "notes": [
            "AUX（ポート 2 ビット 1）は初期化の間 H になり、終了画面のクリアの前にまた H になって、"
            "KORVAN3 の終了後も H のままです。",
            "AUX には何もつながないか、抵抗を付けた LED をつなぎます。ポート 2 ビット 2 は使いません。"
            "R/W は GND へ（書き込みしかしないため）。",
            "10 k: コントラスト調整用の 10 kΩ 半固定抵抗。両端を VDD と VSS に、中点を V0 につなぎます。",
            "R*: バックライトの抵抗。値は液晶モジュールのデータシートに従います"
            "（電流制限抵抗を内蔵したモジュールもあります）。",
            "バックライトのないモジュールは 14 ピンですが、1～14 番ピンの並びは同じです。",
        ],
    },
}
LANGUAGE = sys.argv[1] if len(sys.argv) > 1 else "en"
if LANGUAGE not in WORDS:
    sys.exit(__doc__)
SAY = WORDS[LANGUAGE]
FONT, BOLD = SAY["font"], SAY["bold"]
NOTES_TOP = 615
HEIGHT = NOTES_TOP + 20 * len(SAY["notes"])

BOARD_LEFT, BOARD_RIGHT = 30, 230
LCD_LEFT, LCD_RIGHT = 560, 720
GND_RAIL, SUPPLY_RAIL = 820, 900
BOARD_SUPPLY_Y, BOARD_GROUND_Y = 545, 570
HOP = 6


def row(pin):
    return 100 + (pin - 1) * 26


out = []


def emit(line):
    out.append(line)


def text(x, y, words, size=13, colour=INK, anchor="start", font=FONT):
    emit(f"push graphic-context stroke none fill '{colour}' font '{font}' "
         f"font-size {size} text-anchor {anchor}")
    emit(f'text {x},{y} "{words}"')
    emit("pop graphic-context")


def wire(y, x1, x2, colour, hops=(), width=2):
    """A horizontal wire from x1 to x2; a small arc where it crosses a rail unjoined."""
    path = f"M {x1},{y}"
    for hop in sorted(hops):
        path += f" L {hop - HOP},{y} A {HOP},{HOP} 0 0,1 {hop + HOP},{y}"
    path += f" L {x2},{y}"
    emit(f"push graphic-context fill none stroke '{colour}' stroke-width {width}")
    emit(f"path '{path}'")
    emit("pop graphic-context")


def line(x1, y1, x2, y2, colour, width=2):
    emit(f"push graphic-context fill none stroke '{colour}' stroke-width {width}")
    emit(f"line {x1},{y1} {x2},{y2}")
    emit("pop graphic-context")


def dot(x, y, colour):
    emit(f"push graphic-context stroke none fill '{colour}' circle {x},{y} {x + 4},{y}")
    emit("pop graphic-context")


def box(x1, y1, x2, y2, fill="none", width=2):
    emit(f"push graphic-context fill '{fill}' stroke '{INK}' stroke-width {width}")
    emit(f"rectangle {x1},{y1} {x2},{y2}")
    emit("pop graphic-context")


def draw_parts():
    text(30, 32, SAY["title"], 17, font=BOLD)
    box(BOARD_LEFT, 50, BOARD_RIGHT, 590, fill="#eef3e6")
    text((BOARD_LEFT + BOARD_RIGHT) // 2, 76, SAY["board"], 15, anchor="middle", font=BOLD)
    box(LCD_LEFT, 50, LCD_RIGHT, 510, fill="#e6eef6")
    text((LCD_LEFT + LCD_RIGHT) // 2, 76, SAY["lcd"], 15, anchor="middle", font=BOLD)
    for pin, name in LCD_PINS:
        text(LCD_LEFT + 10, row(pin) + 5, str(pin), 12, colour="#555555")
        text(LCD_LEFT + 40, row(pin) + 5, name)


def draw_signals():
    for port, bit, pin, name, colour in SIGNALS:
        y = row(pin)
        text(BOARD_RIGHT - 10, y + 5, SAY["port"].format(port, bit), anchor="end")
        wire(y, BOARD_RIGHT, LCD_LEFT, colour)
        dot(LCD_LEFT, y, colour)
        text((BOARD_RIGHT + LCD_LEFT) // 2, y - 4, name, 12, colour=colour, anchor="middle")
    # The auxiliary line ends open: nothing on the display needs it.
    y = row(5)
    text(BOARD_RIGHT - 10, y + 5, SAY["port"].format(AUX_PORT, AUX_BIT), anchor="end")
    wire(y, BOARD_RIGHT, BOARD_RIGHT + 60, AUX)
    emit(f"push graphic-context fill white stroke '{AUX}' stroke-width 2 "
         f"circle {BOARD_RIGHT + 64},{y} {BOARD_RIGHT + 68},{y}")
    emit("pop graphic-context")
    text(BOARD_RIGHT + 76, y + 5, SAY["aux"], 12, colour=AUX)


def draw_supply():
    top = row(1)
    line(GND_RAIL, top, GND_RAIL, BOARD_GROUND_Y, GROUND)
    line(SUPPLY_RAIL, row(2), SUPPLY_RAIL, BOARD_SUPPLY_Y, SUPPLY)
    text(GND_RAIL, top - 12, "GND", 13, colour=GROUND, anchor="middle", font=BOLD)
    text(SUPPLY_RAIL, row(2) - 12, "+5 V", 13, colour=SUPPLY, anchor="middle", font=BOLD)
    # VSS and R/W to ground: the program only writes, the module never drives the bus.
    for pin in (1, 5):
        wire(row(pin), LCD_RIGHT, GND_RAIL, GROUND)
        dot(GND_RAIL, row(pin), GROUND)
    wire(row(2), LCD_RIGHT, SUPPLY_RAIL, SUPPLY, hops=[GND_RAIL])
    dot(SUPPLY_RAIL, row(2), SUPPLY)
    draw_contrast()
    draw_backlight()
    text(BOARD_RIGHT - 10, BOARD_SUPPLY_Y + 5, "+5 V", anchor="end")
    text(BOARD_RIGHT - 10, BOARD_GROUND_Y + 5, "GND", anchor="end")
    wire(BOARD_SUPPLY_Y, BOARD_RIGHT, SUPPLY_RAIL, SUPPLY, hops=[GND_RAIL])
    dot(SUPPLY_RAIL, BOARD_SUPPLY_Y, SUPPLY)
    wire(BOARD_GROUND_Y, BOARD_RIGHT, GND_RAIL, GROUND)
    dot(GND_RAIL, BOARD_GROUND_Y, GROUND)


def draw_contrast():
    """A 10 kOhm potentiometer between VDD and ground, its wiper on V0."""
    x, y = 760, row(3)
    box(x - 6, y - 12, x + 6, y + 12, fill="white")
    wire(y, LCD_RIGHT, x - 12, INK)
    emit(f"push graphic-context stroke none fill '{INK}' "
         f"polygon {x - 6},{y} {x - 14},{y - 5} {x - 14},{y + 5}")
    emit("pop graphic-context")
    line(x, y - 12, x, row(2), SUPPLY)
    dot(x, row(2), SUPPLY)
    line(x, y + 12, x, row(4), GROUND)
    wire(row(4), x, GND_RAIL, GROUND)
    dot(GND_RAIL, row(4), GROUND)
    text(x + 12, y + 4, "10 k", 11)


def draw_backlight():
    """Anode through the series resistor to +5 V, cathode to ground."""
    y = row(15)
    wire(y, LCD_RIGHT, 770, SUPPLY)
    box(770, y - 6, 800, y + 6, fill="white")
    text(785, y - 10, "R*", 12, anchor="middle")
    wire(y, 800, SUPPLY_RAIL, SUPPLY, hops=[GND_RAIL])
    dot(SUPPLY_RAIL, y, SUPPLY)
    wire(row(16), LCD_RIGHT, GND_RAIL, GROUND)
    dot(GND_RAIL, row(16), GROUND)


def draw_notes():
    for i, note in enumerate(SAY["notes"]):
        text(30, NOTES_TOP + i * 20, note, 12)


emit(f"viewbox 0 0 {WIDTH} {HEIGHT}")
emit("push graphic-context fill white stroke none")
emit(f"rectangle 0,0 {WIDTH},{HEIGHT}")
emit("pop graphic-context")
draw_parts()
draw_signals()
draw_supply()
draw_notes()
print("\n".join(out))
