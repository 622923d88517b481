#pragma once
// Taking the product off the machine: the removal procedure (also the roll-back of a cancelled
// install), the user-data deletion the user may ask for, and the check for folders left behind.
#include <string>

namespace SetUp {

class CInstallEngine;

// The worker body of a removal below the engine's install root: 5 steps announced, 8 reported.
void RunRemoval(CInstallEngine& engine);
// The product's user data below the install root and in the public profile.
void DeleteUserData(const std::string& installRoot);
// True when the product folder below the install root and the Program Files product folder are
// both empty or gone.
bool IsRemovalComplete(const std::string& installRoot);
// The same below the engine's install root, which outlives the deleted record.
void DeleteUserData();
bool IsRemovalComplete();

}  // namespace SetUp
