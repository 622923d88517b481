#include "ui/WizardEngine.h"

#include "base/ProcessWide.h"
#include "product/SetupConfig.h"

SetUp::CInstallEngine& WizardEngine() {
    return CProcessWide<SetUp::CInstallEngine>::Get(
        [] { return new SetUp::CInstallEngine(CSetupConfig::Instance()); });
}
