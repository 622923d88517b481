#pragma once
// Which page, or which refusal, opens first.
#include <cstdint>
#include <functional>

#include "app/WizardTable.h"
#include "engine/InstallMode.h"

class CSetupConfig;

// None: no row applies, the run ends at once, without a message.
using FirstPage = WizardPage;
using FirstPageChoice = WizardStep;

// isSameEdition is asked only for the maintenance and upgrade types that need it.
FirstPageChoice ChooseFirstPage(InstallType installType, const CSetupConfig& config,
                                const std::function<bool()>& isSameEdition);
