#include "ui/pages/ComponentVSDlg.h"

namespace {

// The strip lies 4 pixels above each row's box.
constexpr PageRect Strip(int top) {
    return {182, top - 4, 316, 34};
}

const FeatureRow kVsRows[] = {
    {IDC_BASIC_CHECK,
     IDC_BASIC_NAME,
     IDC_BASIC_SIZE,
     "BasicConfiguration",
     {0, kNoFeature},
     "basicdetails2",
     112,
     Strip(112)},
    {IDC_VIDEO_CHECK,
     IDC_VIDEO_NAME,
     IDC_VIDEO_SIZE,
     "Video",
     {1, kNoFeature},
     "vediodetails",
     146,
     Strip(146)},
    {IDC_EMAP_CHECK,
     IDC_EMAP_NAME,
     IDC_EMAP_SIZE,
     "Emap",
     {2, kNoFeature},
     "emapdetails",
     180,
     Strip(180)},
    {IDC_STATISTICS_CHECK,
     IDC_STATISTICS_NAME,
     IDC_STATISTICS_SIZE,
     "DataStatistics",
     {4, kNoFeature},
     "statisticsdetails",
     214,
     Strip(214)},
    {IDC_AI_CHECK,
     IDC_AI_NAME,
     IDC_AI_SIZE,
     "AIDashboard",
     {8, kNoFeature},
     "AIboarddetails",
     248,
     Strip(248)},
    {IDC_TOPOLOGY_CHECK,
     IDC_TOPOLOGY_NAME,
     IDC_TOPOLOGY_SIZE,
     "Topology",
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

const FeaturePageTable kVsTable{LoadPageLayout(IDD_COMPONENT_VS),
                                FeatureRows(kVsRows),
                                CTableView<int>(kVsSelectionOrder),
                                CTableView<int>(),
                                3,
                                false,
                                false,
                                true};
const FeaturePageTable kScDpTable{LoadPageLayout(IDD_COMPONENT_VS),
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
