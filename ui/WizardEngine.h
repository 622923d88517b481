#pragma once
// The wizard's one install engine, for the embedded configuration. Built on first use and never
// destroyed: a detached worker may still deliver while the process ends.
#include "engine/InstallEngine.h"

SetUp::CInstallEngine& WizardEngine();
