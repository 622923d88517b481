#pragma once
// Which page, or which refusal, opens first.
#include <cstdint>
#include <functional>

#include "engine/InstallMode.h"
#include "product/MessageKind.h"

class CSetupConfig;

enum class FirstPage {
    None,  // no row applies: the process ends at once, without a message
    StartDlg,
    StartACDlg,
    ComponentFullDlg,
    ComponentFullEDlg,
    ComponentVSDlg,
    SecondInstallDlg,
    UpdataDlg,
    TipDlg,
};

struct FirstPageChoice {
    FirstPage page = FirstPage::None;
    MessageKind messageKind = MessageKind::CheckComponent;  // for TipDlg
};

// isSameEdition is asked only for the maintenance and upgrade types that need it.
FirstPageChoice ChooseFirstPage(InstallType installType, const CSetupConfig& config,
                                const std::function<bool()>& isSameEdition);
