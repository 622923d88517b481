#include "ui/pages/ComponentVSDlg.h"

namespace {

using F = LayoutFont;
using C = LayoutColour;
constexpr LayoutBy kFixed = LayoutBy::Fixed;
constexpr LayoutBy kByLanguage = LayoutBy::Language;

const LayoutRow kLayoutRows[] = {
    {IDC_LOWER_PANEL, kFixed, {{0, 86, 720, 438}}, nullptr, F::None, C::Default, false},
    {IDC_FEATURE_FRAME, kFixed, {{180, 102, 320, 252}}, nullptr, F::None, C::Default, false},
    {IDC_CHOOSE_LABEL, kFixed, {{0, 106, 170, 20}}, "choosecomponent", F::Text, C::Default, false},
    {IDC_INFO_MARK, kFixed, {{192, 358, 24, 24}}, nullptr, F::None, C::Default, false},
    {IDC_FEATURE_DESCRIPTION, kFixed, {{216, 360, 496, 34}}, nullptr, F::Text, C::Default, false},
    {IDC_FOLDER_LABEL, kFixed, {{50, 404, 120, 20}}, "folder", F::Text, C::Default, false},
    {IDC_PATH_STRIP, kFixed, {{180, 398, 292, 8}}, nullptr, F::None, C::Default, false},
    {IDC_PATH_BOX, kFixed, {{180, 406, 292, 24}}, nullptr, F::Text, C::Default, false},
    {IDC_BROWSE_SQUARE, kFixed, {{472, 398, 28, 32}}, nullptr, F::None, C::Default, false},
    {IDC_BROWSE, kFixed, {{472, 402, 24, 24}}, nullptr, F::None, C::Default, false},
    // The Chinese labels are wider than the design's in every font we draw with: their row
    // starts under the folder label and ends before Previous.
    {IDC_NEED_SPACE_LABEL,
     kByLanguage,
     {{180, 440, 60, 20}, {50, 440, 96, 20}},
     "needspace",
     F::Text,
     C::Default,
     false},
    {IDC_NEED_SPACE,
     kByLanguage,
     {{240, 440, 51, 20}, {148, 440, 56, 20}},
     nullptr,
     F::Text,
     C::Default,
     false},
    {IDC_FREE_SPACE_LABEL,
     kByLanguage,
     {{300, 440, 60, 20}, {206, 440, 96, 20}},
     "enblespace",
     F::Text,
     C::Default,
     false},
    {IDC_FREE_SPACE,
     kByLanguage,
     {{360, 440, 70, 20}, {304, 440, 76, 20}},
     nullptr,
     F::Text,
     C::Default,
     false},
    {IDC_DISK_SPACE_LINK,
     kByLanguage,
     {{430, 440, 70, 20}, {386, 440, 80, 20}},
     "diskspace",
     F::Text,
     C::Default,
     false},
    {IDC_PREVIOUS, kFixed, {{494, 476, 96, 32}}, "laststep", F::Bold, C::Default, false},
    {IDC_NEXT, kFixed, {{600, 476, 96, 32}}, "install", F::Bold, C::Default, false},
};

// The strip lies 4 pixels above each row's box.
constexpr PageRect Strip(int top) {
    return {182, top - 4, 316, 34};
}

const FeatureRow kVsRows[] = {
    {IDC_BASIC_CHECK,
     IDC_BASIC_NAME,
     IDC_BASIC_SIZE,
     "BasicConfiguration",
     508,
     {0, kNoFeature},
     "basicdetails2",
     112,
     Strip(112)},
    {IDC_VIDEO_CHECK,
     IDC_VIDEO_NAME,
     IDC_VIDEO_SIZE,
     "Video",
     59,
     {1, kNoFeature},
     "vediodetails",
     146,
     Strip(146)},
    {IDC_EMAP_CHECK,
     IDC_EMAP_NAME,
     IDC_EMAP_SIZE,
     "Emap",
     13,
     {2, kNoFeature},
     "emapdetails",
     180,
     Strip(180)},
    {IDC_STATISTICS_CHECK,
     IDC_STATISTICS_NAME,
     IDC_STATISTICS_SIZE,
     "DataStatistics",
     13,
     {4, kNoFeature},
     "statisticsdetails",
     214,
     Strip(214)},
    {IDC_AI_CHECK,
     IDC_AI_NAME,
     IDC_AI_SIZE,
     "AIDashboard",
     59,
     {8, kNoFeature},
     "AIboarddetails",
     248,
     Strip(248)},
    {IDC_TOPOLOGY_CHECK,
     IDC_TOPOLOGY_NAME,
     IDC_TOPOLOGY_SIZE,
     "Topology",
     11,
     {6, kNoFeature},
     "topolopydetails",
     282,
     Strip(282)},
};

// SC and DP: AI Dashboard moves up to the third row.
const FeatureRow kScDpRows[] = {
    kVsRows[0],
    kVsRows[1],
    {IDC_AI_CHECK,
     IDC_AI_NAME,
     IDC_AI_SIZE,
     "AIDashboard",
     59,
     {8, kNoFeature},
     "AIboarddetails",
     180,
     Strip(180)},
};

const int kVsSelectionOrder[] = {IDC_BASIC_CHECK,      IDC_VIDEO_CHECK, IDC_EMAP_CHECK,
                                 IDC_STATISTICS_CHECK, IDC_AI_CHECK,    IDC_TOPOLOGY_CHECK};
const int kScDpSelectionOrder[] = {IDC_BASIC_CHECK, IDC_VIDEO_CHECK, IDC_AI_CHECK};

const int kScDpUnused[] = {IDC_EMAP_CHECK,       IDC_EMAP_NAME,       IDC_EMAP_SIZE,
                           IDC_STATISTICS_CHECK, IDC_STATISTICS_NAME, IDC_STATISTICS_SIZE,
                           IDC_TOPOLOGY_CHECK,   IDC_TOPOLOGY_NAME,   IDC_TOPOLOGY_SIZE};

const FeaturePageTable kVsTable{PageLayout(kLayoutRows),
                                FeatureRows(kVsRows),
                                CTableView<int>(kVsSelectionOrder),
                                CTableView<int>(),
                                3,
                                false,
                                false,
                                true};
const FeaturePageTable kScDpTable{PageLayout(kLayoutRows),
                                  FeatureRows(kScDpRows),
                                  CTableView<int>(kScDpSelectionOrder),
                                  CTableView<int>(kScDpUnused),
                                  3,
                                  true,
                                  false,
                                  true};

}  // namespace

CComponentVSDlg::CComponentVSDlg()
    : CFeaturePage(IDD_COMPONENT_VS, Table(CSetupConfig::Instance().productVariant)) {}

const FeaturePageTable& CComponentVSDlg::Table(ProductVariant variant) {
    return variant == ProductVariant::VS ? kVsTable : kScDpTable;
}
