#include "engine/InstallEngine.h"

#include <windows.h>

#include <algorithm>
#include <thread>

#include "base/ProcessWide.h"
#include "base/StringUtil.h"
#include "engine/InstallMode.h"
#include "engine/Removal.h"
#include "product/Catalogue.h"
#include "product/SetupConfig.h"
#include "product/TextTable.h"
#include "registry/InstalledRecord.h"

namespace SetUp {

CInstallEngine& CInstallEngine::Instance() {
    return CProcessWide<CInstallEngine>::Get([] { return new CInstallEngine(); });
}

CInstallEngine::CInstallEngine()
    : progress_([](int32_t) {}),
      status_([](const std::string&) {}),
      regeditInfo_(std::make_shared<CRegeditInfo>()) {}

void CInstallEngine::SetProgressCallback(ProgressCallback callback) {
    std::lock_guard<std::mutex> lock(callbackMutex_);
    progress_ = std::move(callback);
}

void CInstallEngine::SetStatusCallback(StatusCallback callback) {
    std::lock_guard<std::mutex> lock(callbackMutex_);
    status_ = std::move(callback);
}

void CInstallEngine::ReportProgress(int32_t percent) {
    ProgressCallback callback;
    {
        std::lock_guard<std::mutex> lock(callbackMutex_);
        callback = progress_;
    }
    // An empty callable means nobody listens; calling it would throw on the worker.
    if (callback) {
        callback(percent);
    }
}

void CInstallEngine::ReportStatus(const std::string& line) {
    StatusCallback callback;
    {
        std::lock_guard<std::mutex> lock(callbackMutex_);
        callback = status_;
    }
    if (callback) {
        callback(line);
    }
}

std::string CInstallEngine::RefreshInstallRoot() {
    const std::string root = ReadInstalledValue("InstallLocation");
    std::lock_guard<std::mutex> lock(rootMutex_);
    installRoot_ = root;
    return root;
}

std::string CInstallEngine::InstallRoot() const {
    std::lock_guard<std::mutex> lock(rootMutex_);
    return installRoot_;
}

bool CInstallEngine::CancelRequested() {
    std::lock_guard<std::mutex> lock(cancelMutex_);
    return cancelRequested_;
}

bool CInstallEngine::WorkerDone() {
    std::lock_guard<std::mutex> lock(doneMutex_);
    return workerDone_;
}

void CInstallEngine::StepDone() {
    // After a cancel only the roll-back, which starts once the sequence is done, moves the bar.
    if (CancelRequested() && !WorkerDone()) {
        return;
    }
    const int32_t total = stepsTotal_;
    int32_t done = std::min(stepsDone_ + 1, total);
    stepsDone_ = done;
    ReportProgress(total > 0 ? done * 100 / total : 100);
}

void CInstallEngine::StartWorker(std::function<void()> body) {
    {
        std::lock_guard<std::mutex> lock(idleMutex_);
        ++runningWorkers_;
    }
    // The thread owns its copy of the inputs; nobody joins it.
    std::thread([this, body = std::move(body)] {
        body();
        std::lock_guard<std::mutex> lock(idleMutex_);
        --runningWorkers_;
        idleSignal_.notify_all();
    }).detach();
}

bool CInstallEngine::WaitUntilIdle(std::chrono::milliseconds limit) {
    std::unique_lock<std::mutex> lock(idleMutex_);
    return idleSignal_.wait_for(lock, limit, [this] { return runningWorkers_ == 0; });
}

void CInstallEngine::StartInstall(const std::vector<int32_t>& features,
                                  const std::string& installRoot) {
    stepsTotal_ = static_cast<int32_t>(features.size()) + 9;
    {
        std::lock_guard<std::mutex> lock(cancelMutex_);
        freshInstallStarted_ = true;
    }
    StartWorker([this, features, installRoot] { RunSequence(features, installRoot, {}); });
}

void CInstallEngine::StartModify(const std::vector<int32_t>& added,
                                 const std::vector<int32_t>& removed) {
    const std::string root = RefreshInstallRoot();
    if (root.empty()) {
        return;
    }
    stepsTotal_ = static_cast<int32_t>(added.size() + removed.size()) + 6;
    StartWorker([this, root, added, removed] { RunModify(root, added, removed); });
}

void CInstallEngine::StartRepair() {
    const std::string root = RefreshInstallRoot();
    if (root.empty()) {
        return;
    }
    RepairLists lists = BuildRepairLists();
    stepsTotal_ = static_cast<int32_t>(lists.removal.size() + lists.install.size()) + 9;
    StartWorker([this, root, lists] { RunSequence(lists.install, root, lists.removal); });
}

void CInstallEngine::StartUpgrade(const std::vector<int32_t>& features) {
    const InstallType type = CInstallMode::Instance().installType;
    if (type == InstallType::UpgradeByComponentList) {
        MenuAndDesk(RefreshInstallRoot())->RemoveShortcuts(true);
        StartRepair();
        return;
    }
    if (type != InstallType::UpgradeBlind && type != InstallType::UpgradeByDescription) {
        return;
    }
    if (type == InstallType::UpgradeBlind && features.empty()) {
        return;
    }
    const std::string root = RefreshInstallRoot();
    if (root.empty()) {
        return;
    }
    std::vector<int32_t> list = features;
    if (type == InstallType::UpgradeByDescription) {
        list.clear();
        for (int32_t component : ProductXml(root)->ReadClientComponents()) {
            if (const auto feature = ComponentFeature(component)) {
                list.push_back(*feature);
            }
        }
        // The client file never names component 2, so the basic feature would be lost.
        if (std::find(list.begin(), list.end(), 0) == list.end()) {
            list.insert(list.begin(), 0);
        }
    }
    stepsTotal_ = static_cast<int32_t>(list.size()) + 10;
    StartWorker([this, list, root] { RunUpgrade(list, root); });
}

bool CInstallEngine::StartRemoval() {
    const std::string root = RefreshInstallRoot();
    if (root.empty()) {
        return false;
    }
    ReportStatus(CTextTable::Instance().GetText("cancelinstall"));
    StartWorker([this] { RunRemoval(*this); });
    return true;
}

void CInstallEngine::RequestCancel() {
    {
        // Only a fresh install rolls back, and only once: the other procedures never mark the
        // worker done, so waiting for them would never end.
        std::lock_guard<std::mutex> lock(cancelMutex_);
        if (!freshInstallStarted_ || cancelRequested_) {
            return;
        }
        cancelRequested_ = true;
    }
    std::lock_guard<std::mutex> serialise(waitMutex_);
    {
        std::unique_lock<std::mutex> lock(doneMutex_);
        doneSignal_.wait(lock, [this] { return workerDone_; });
    }
    stepsDone_ = 0;
    ReportProgress(0);
    StartRemoval();
}

std::vector<int32_t> CInstallEngine::RecordedFeatures() {
    std::vector<int32_t> features;
    for (int32_t component : ReadInstalledComponents().client) {
        if (const auto feature = ComponentFeature(component)) {
            features.push_back(*feature);
        }
    }
    return features;
}

std::vector<int32_t> CInstallEngine::ModifiedFeatures(const std::vector<int32_t>& recorded,
                                                      const std::vector<int32_t>& added,
                                                      const std::vector<int32_t>& removed) {
    std::vector<int32_t> features = recorded;
    for (int32_t feature : removed) {
        const auto found = std::find(features.begin(), features.end(), feature);
        if (found != features.end()) {
            features.erase(found);
        }
    }
    features.insert(features.end(), added.begin(), added.end());
    return features;
}

CInstallEngine::RepairLists CInstallEngine::BuildRepairLists() {
    return BuildRepairLists(CSetupConfig::Instance());
}

CInstallEngine::RepairLists CInstallEngine::BuildRepairLists(const CSetupConfig& config) {
    RepairLists lists;
    lists.install = RecordedFeatures();
    const auto pieces = SplitString(ReadInstalledValue("DisplayVersion"), '.');
    const int32_t major = DecimalOrZero(pieces[0]);
    const int32_t minor = pieces.size() > 1 ? DecimalOrZero(pieces[1]) : 0;
    auto has = [&lists](int32_t feature) {
        return std::find(lists.install.begin(), lists.install.end(), feature) !=
               lists.install.end();
    };
    if (major <= 3 && minor <= 3 && config.uiLanguage == UiLanguage::Chinese) {
        for (int32_t feature : {9, 11}) {
            if (!has(feature)) {
                lists.install.push_back(feature);
            }
        }
    }
    if (config.productVariant != ProductVariant::VS) {
        const auto irs = std::find(lists.install.begin(), lists.install.end(), 7);
        if (irs != lists.install.end()) {
            lists.install.erase(irs);
            lists.removal.push_back(7);
        }
    }
    return lists;
}

std::string CInstallEngine::FeatureText(int32_t feature) {
    const auto key = FeatureName(feature);
    return key ? CTextTable::Instance().GetText(*key) : "";
}

std::string CInstallEngine::StartInstallLine(const std::string& what) {
    return std::string(CTextTable::Instance().GetText("startInstall")) + what;
}

std::string CInstallEngine::UninstallLine(const std::string& what) {
    return std::string(CTextTable::Instance().GetText("Uninstall")) + what;
}

std::shared_ptr<CRegeditInfo> CInstallEngine::RegeditInfo() {
    std::lock_guard<std::mutex> lock(helperMutex_);
    if (!regeditInfo_) {
        regeditInfo_ = std::make_shared<CRegeditInfo>();
    }
    return regeditInfo_;
}

std::shared_ptr<CMenuAndDesk> CInstallEngine::MenuAndDesk(const std::string& installRoot) {
    std::lock_guard<std::mutex> lock(helperMutex_);
    // Made from the root the procedure works on, not from whatever root came first.
    if (!menuAndDesk_ || menuAndDeskRoot_ != installRoot) {
        menuAndDesk_ = std::make_shared<CMenuAndDesk>(installRoot);
        menuAndDeskRoot_ = installRoot;
    }
    return menuAndDesk_;
}

std::shared_ptr<CProductXmlHandler> CInstallEngine::ProductXml(const std::string& installRoot) {
    std::lock_guard<std::mutex> lock(helperMutex_);
    if (!productXml_ || productXmlRoot_ != installRoot) {
        productXml_ = std::make_shared<CProductXmlHandler>(installRoot);
        productXmlRoot_ = installRoot;
    }
    return productXml_;
}

}  // namespace SetUp
