#include "ui/InstallContext.h"

#include "base/ProcessWide.h"

CInstallContext& CInstallContext::Instance() {
    return CProcessWide<CInstallContext>::Get([] { return new CInstallContext(); });
}
