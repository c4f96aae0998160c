#include "recorder.h"

namespace Recorder {
namespace {

std::vector<KeepUp::Step>* recording = nullptr;

} // namespace

std::vector<KeepUp::Step> Record(const std::function<void()>& show) {
    std::vector<KeepUp::Step> steps;
    recording = &steps;
    show();
    recording = nullptr;
    return steps;
}

bool Recording() {
    return recording != nullptr;
}

bool Caught(const KeepUp::Step& step) {
    if (recording == nullptr) {
        return false;
    }
    recording->push_back(step);
    return true;
}

} // namespace Recorder
