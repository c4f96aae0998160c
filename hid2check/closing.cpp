// Whether hid2check waits for Enter before its console closes.
#include "closing.h"

namespace Closing {

bool WaitsForEnter(const ConsoleAtStart& console) {
    return console.processes == 1 && console.inputIsConsole && console.outputIsConsole;
}

} // namespace Closing
