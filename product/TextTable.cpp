#include "product/TextTable.h"

#include "base/ProcessWide.h"
#include "product/SetupConfig.h"

CTextTable::CTextTable(UiLanguage language) : language_(language) {
    for (const TextRow& row : kTextRows) {
        texts_.emplace(row.key, Texts{row.chinese, row.english});
    }
}

const CTextTable& CTextTable::Instance() {
    return CProcessWide<CTextTable>::Get(
        [] { return new CTextTable(CSetupConfig::Instance().uiLanguage); });
}

const char* CTextTable::GetText(const std::string& key) const {
    const auto found = texts_.find(key);
    if (found == texts_.end()) {
        return "";
    }
    switch (language_) {
        case UiLanguage::English:
            return found->second.english;
        case UiLanguage::Chinese:
            return found->second.chinese;
        default:
            return "";
    }
}
