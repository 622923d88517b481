#pragma once
// How many component archives the install engine unpacks at once.
#include <cstdint>

namespace SetUp {

// Set to anything but empty or "0", the engine unpacks one archive after another: for comparing
// the two, and for a machine whose disk does worse with several writers. A variable is enough,
// with no configuration entry: the overlap changes no result, only the time, and the embedded
// configuration describes the product, not the machine it lands on.
constexpr char kSequentialExtractionVariable[] = "SETUP_SEQUENTIAL_EXTRACTION";

// One 7-Zip per processor; 1 when the variable asks for one after another; never more than one
// wait can watch.
int32_t UnpackingsAtOnce();

}  // namespace SetUp
