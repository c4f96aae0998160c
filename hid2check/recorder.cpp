// The catching of the LCD subsystem's writes and sleeps while a recording runs.
#include "recorder.h"

namespace Recorder {
namespace {

std::vector<Sim::WriteOrWait>* recording = nullptr;

} // namespace

std::vector<Sim::WriteOrWait> Record(const std::function<void()>& show) {
    std::vector<Sim::WriteOrWait> steps;
    recording = &steps;
    show();
    recording = nullptr;
    return steps;
}

bool Recording() {
    return recording != nullptr;
}

bool Caught(const Sim::WriteOrWait& step) {
    if (recording == nullptr) {
        return false;
    }
    recording->push_back(step);
    return true;
}

} // namespace Recorder
