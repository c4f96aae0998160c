// KORVAN3.exe's screens from start to exit, sent by the LCD subsystem itself and recorded
// by the fake board, as hid2check records them to play into the board model.
#pragma once

#include "fake_board.h"
#include "keep_up.h"

#include <vector>

inline std::vector<KeepUp::Step> RecordedSession() {
    FakeBoard::Reset();
    KeepUp::ShowSession();
    std::vector<KeepUp::Step> session;
    for (const FakeBoard::Event& event : FakeBoard::Events()) {
        if (event.kind == FakeBoard::Event::WRITE) {
            session.push_back({KeepUp::Step::Kind::WRITE, event.port, event.value});
        } else if (event.kind == FakeBoard::Event::SLEEP) {
            session.push_back({KeepUp::Step::Kind::SLEEP, 0, event.value});
        }
    }
    return session;
}
