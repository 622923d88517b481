#include "ui/TipMessage.h"

#include <algorithm>
#include <iterator>

#include "base/StringUtil.h"
#include "product/Catalogue.h"
#include "product/TextTable.h"
#include "registry/InstalledRecord.h"

namespace {
using P = TipPlaceholder;
using K = MessageKind;
}  // namespace

const TipMessageRow kTipMessagesRows[] = {
    {K::CheckComponent, "checkcomponenttip", nullptr, P::None, 2, 2},
    {K::SpaceLack, "spacelacktip", nullptr, P::None, 1, 2},
    {K::CloseProcess, "closeprocesstip", nullptr, P::BrandName, 1, 2},
    {K::InstallMutex, "installmutextip", "moreinstallmutextip", P::ProductLabel, 2, 3},
    {K::InstallLowVersion, "installlowversiontip", nullptr, P::None, 1, 2},
    {K::IllegalPath, "illegalpathtip", nullptr, P::None, 2, 2},
    {K::DeleteFolderFail, "delfolderfailtip", nullptr, P::None, 2, 3},
    {K::QuitUserManual, "quitusermanneltip", nullptr, P::BrandName, 1, 2},
    {K::UninstallFinish, "uninstallfinishtip", nullptr, P::None, 2, 3},
    {K::DeleteUserDataFail, "deluserdatafailtip", nullptr, P::None, 2, 3},
    {K::InstallingMutex, "installingMutextip", nullptr, P::None, 2, 4},
    {K::SameGuid, "SameGuidtip", "moreinstallmutextip", P::ProductLabel, 2, 3},
    {K::NotSupportUpdate, "notSupportUpdate", nullptr, P::None, 2, 2},
    {K::UnsafeWorkFolder, "unsafeworkdirtip", nullptr, P::None, 2, 3},
    {K::LastRunInterrupted, "interruptedtip", nullptr, P::BrandName, 2, 3},
    {K::ForeignProductFolder, "foreignfoldertip", nullptr, P::None, 2, 3},
    {K::UnsuitableDrive, "unsuitabledrivetip", nullptr, P::None, 2, 3},
};
const CTableView<TipMessageRow> kTipMessages(kTipMessagesRows);

const TipMessageRow kTipCertainMessagesRows[] = {
    {K::CancelInstall, "cancelinstalltip", nullptr, P::None, 1, 1},
    {K::Uninstall, "uninstalltip", nullptr, P::None, 1, 2},
    {K::DetectUserData, "detectuserdatatip", nullptr, P::None, 1, 2},
    {K::DeleteUserData, "deluserdatatip", nullptr, P::None, 1, 2},
    {K::ClearInstallDir, "clearinstalldirtip", nullptr, P::None, 1, 2},
    {K::NpfOccupied, "NpfOccupytip", nullptr, P::ProcessName, 3, 4},
};
const CTableView<TipMessageRow> kTipCertainMessages(kTipCertainMessagesRows);

const TipMessageRow* FindTipMessage(bool question, MessageKind kind) {
    const TipMessageRow* first = question ? kTipCertainMessages.begin() : kTipMessages.begin();
    const TipMessageRow* last = question ? kTipCertainMessages.end() : kTipMessages.end();
    const TipMessageRow* row =
        std::find_if(first, last, [kind](const TipMessageRow& r) { return r.kind == kind; });
    return row != last ? row : nullptr;
}

TipMessage ComposeTipMessage(bool question, MessageKind kind, const CTextTable& table,
                             const TipPlaceholders& values) {
    const TipMessageRow* row = FindTipMessage(question, kind);
    if (row == nullptr) {
        return {};
    }
    TipMessage message;
    message.lines = table.Language() == UiLanguage::Chinese ? row->linesChinese : row->linesOther;
    switch (row->placeholder) {
        case P::None:
            message.text = table.GetText(row->key);
            break;
        case P::BrandName:
            message.text = FormatString(table.GetText(row->key), values.brandName.c_str());
            break;
        case P::ProcessName:
            message.text = FormatString(table.GetText(row->key), values.processName.c_str());
            break;
        case P::ProductLabel:
            message.text = values.productLabel.empty()
                               ? std::string(table.GetText(row->keyWithoutLabel))
                               : FormatString(table.GetText(row->key), values.productLabel.c_str());
            break;
    }
    return message;
}

std::string ComposeProductLabel(const std::vector<ProductVariant>& installedVariants,
                                const std::string& displayName, const std::string& languageType) {
    if (installedVariants.size() >= 2) {
        return std::string();
    }
    const std::string base = displayName.substr(0, displayName.find('('));
    std::string label;
    if (installedVariants.size() == 1) {
        const ProductVariant variant = installedVariants.front();
        label = variant == ProductVariant::FULL
                    ? base
                    : base + " " + VariantTypeName(variant).value_or("");
    }
    std::string tag;
    if (displayName.find('C') != std::string::npos) {
        tag = "C";
    } else if (displayName.find('E') != std::string::npos) {
        tag = "E";
    } else {
        tag = languageType;
    }
    return label + "(" + tag + ")";
}

std::string InstalledProductLabel() {
    return ComposeProductLabel(SetUp::EnumerateInstalledVariants(),
                               SetUp::ReadInstalledValue("DisplayName"),
                               SetUp::ReadInstalledValue("LanguageType"));
}
