#pragma once
// Small helpers of the engine tests: reading files back, the folder layout of the embedded
// configuration, and waiting for a condition with a bound.
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "common/TestMachine.h"

namespace enginetest {

bool Exists(const std::string& path);
bool IsDirectory(const std::string& path);
// The whole file, or nothing when it cannot be read.
std::string ReadAll(const std::string& path);
// The bytes of a resource of this program.
std::string ResourceBytes(int id, const char* type);
// <root>\Velmora AC\Velmora AC Client: the installation folder of the embedded configuration.
std::string InstallationFolder(const std::string& root);
// The folder this test program runs from, with a trailing backslash.
std::string OwnFolder();

using testbed::ListTree;

// While an object lives, the engine unpacks one archive after another (the overlap's switch).
class CScopedSequentialExtraction {
public:
    CScopedSequentialExtraction();
    ~CScopedSequentialExtraction();
    CScopedSequentialExtraction(const CScopedSequentialExtraction&) = delete;
    CScopedSequentialExtraction& operator=(const CScopedSequentialExtraction&) = delete;
};
// Polls the condition until it holds or the time is up; returns whether it held.
bool WaitFor(const std::function<bool()>& condition,
             std::chrono::milliseconds limit = std::chrono::seconds(20));

}  // namespace enginetest
