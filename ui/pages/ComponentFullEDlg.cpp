#include "ui/pages/ComponentFullEDlg.h"

namespace {

constexpr PageRect Strip(int y, int height) {
    return {182, y, 316, height};
}

const FeatureRow kRows[] = {
    {IDC_BASIC_CHECK,
     IDC_BASIC_NAME,
     IDC_BASIC_SIZE,
     "BasicConfiguration",
     {0, kNoFeature},
     "basicdetails2",
     112,
     Strip(108, 34)},
    {IDC_VIDEO_CHECK,
     IDC_VIDEO_NAME,
     IDC_VIDEO_SIZE,
     "Video",
     {1, kNoFeature},
     "vediodetails",
     146,
     Strip(142, 34)},
    {IDC_ACCESS_CHECK,
     IDC_ACCESS_NAME,
     IDC_ACCESS_SIZE,
     "AccessController",
     {3, kNoFeature},
     "accessdetails",
     180,
     Strip(176, 34)},
    {IDC_ATTENDANCE_CHECK,
     IDC_ATTENDANCE_NAME,
     IDC_ATTENDANCE_SIZE,
     "Attendance",
     {5, kNoFeature},
     "attendancedetails",
     214,
     Strip(210, 34)},
    {IDC_EMAP_CHECK,
     IDC_EMAP_NAME,
     IDC_EMAP_SIZE,
     "Emap",
     {2, kNoFeature},
     "emapdetails",
     248,
     Strip(244, 34)},
    {IDC_STATISTICS_CHECK,
     IDC_STATISTICS_NAME,
     IDC_STATISTICS_SIZE,
     "DataStatistics",
     {4, kNoFeature},
     "statisticsdetails",
     282,
     Strip(278, 34)},
    {IDC_AI_CHECK,
     IDC_AI_NAME,
     IDC_AI_SIZE,
     "AIDashboard",
     {8, kNoFeature},
     "AIboarddetails",
     316,
     Strip(312, 34)},
    {IDC_TOPOLOGY_CHECK,
     IDC_TOPOLOGY_NAME,
     IDC_TOPOLOGY_SIZE,
     "Topology",
     {6, kNoFeature},
     "topolopydetails",
     350,
     Strip(344, 30)},
    {IDC_BROADCAST_CHECK,
     IDC_BROADCAST_NAME,
     IDC_BROADCAST_SIZE,
     "Broadcast",
     {12, kNoFeature},
     "broadcastdetails",
     384,
     Strip(378, 30)},
};

const int kSelectionOrder[] = {
    IDC_BASIC_CHECK,      IDC_VIDEO_CHECK, IDC_ACCESS_CHECK,   IDC_ATTENDANCE_CHECK, IDC_EMAP_CHECK,
    IDC_STATISTICS_CHECK, IDC_AI_CHECK,    IDC_TOPOLOGY_CHECK, IDC_BROADCAST_CHECK,
};

const FeaturePageTable kTable{LoadPageLayout(IDD_COMPONENT_FULL_E),
                              FeatureRows(kRows),
                              CTableView<int>(kSelectionOrder),
                              CTableView<int>(),
                              3,
                              true,
                              true,
                              true};

}  // namespace

CComponentFullEDlg::CComponentFullEDlg() : CFeaturePage(IDD_COMPONENT_FULL_E, kTable) {}

const FeaturePageTable& CComponentFullEDlg::Table() {
    return kTable;
}
