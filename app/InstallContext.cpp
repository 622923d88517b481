#include "app/InstallContext.h"

#include "app/ProcessWide.h"

CInstallContext& CInstallContext::Instance() {
    return CProcessWide<CInstallContext>::Get([] { return new CInstallContext(); });
}
