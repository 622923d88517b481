#include "engine/UnpackLimit.h"

#include <windows.h>

#include <algorithm>
#include <string>

#include "base/SystemInfo.h"

namespace SetUp {

int32_t UnpackingsAtOnce() {
    char value[16] = {};
    const DWORD length =
        GetEnvironmentVariableA(kSequentialExtractionVariable, value, sizeof(value));
    if (length > 0 && std::string(value, std::min<DWORD>(length, sizeof(value))) != "0") {
        return 1;
    }
    return std::min<int32_t>(ProcessorCount(), MAXIMUM_WAIT_OBJECTS);
}

}  // namespace SetUp
