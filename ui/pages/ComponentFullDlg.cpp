#include "ui/pages/ComponentFullDlg.h"

namespace {

// The strip lies 2 pixels above each row's box.
constexpr PageRect Strip(int top) {
    return {182, top - 2, 316, 30};
}

const FeatureRow kRows[] = {
    {IDC_BASIC_CHECK,
     IDC_BASIC_NAME,
     IDC_BASIC_SIZE,
     "BasicConfiguration&AccessController",
     {0, 3},
     "basicdetails3",
     106,
     Strip(106)},
    {IDC_VIDEO_CHECK,
     IDC_VIDEO_NAME,
     IDC_VIDEO_SIZE,
     "Video",
     {1, kNoFeature},
     "vediodetails",
     136,
     Strip(136)},
    {IDC_ATTENDANCE_CHECK,
     IDC_ATTENDANCE_NAME,
     IDC_ATTENDANCE_SIZE,
     "Attendance",
     {5, kNoFeature},
     "attendancedetails",
     166,
     Strip(166)},
    {IDC_EMAP_CHECK,
     IDC_EMAP_NAME,
     IDC_EMAP_SIZE,
     "Emap",
     {2, kNoFeature},
     "emapdetails",
     196,
     Strip(196)},
    {IDC_STATISTICS_CHECK,
     IDC_STATISTICS_NAME,
     IDC_STATISTICS_SIZE,
     "DataStatistics",
     {4, kNoFeature},
     "statisticsdetails",
     226,
     Strip(226)},
    {IDC_AI_CHECK,
     IDC_AI_NAME,
     IDC_AI_SIZE,
     "AIDashboard",
     {8, kNoFeature},
     "AIboarddetails",
     256,
     Strip(256)},
    {IDC_TOPOLOGY_CHECK,
     IDC_TOPOLOGY_NAME,
     IDC_TOPOLOGY_SIZE,
     "Topology",
     {6, kNoFeature},
     "topolopydetails",
     286,
     Strip(286)},
    {IDC_VISITOR_CHECK,
     IDC_VISITOR_NAME,
     IDC_VISITOR_SIZE,
     "VisitorManagement",
     {9, kNoFeature},
     "visitordetails",
     316,
     Strip(316)},
    {IDC_CONSUMPTION_CHECK,
     IDC_CONSUMPTION_NAME,
     IDC_CONSUMPTION_SIZE,
     "Consumption",
     {11, kNoFeature},
     "consumpdetails",
     346,
     Strip(346)},
    {IDC_BROADCAST_CHECK,
     IDC_BROADCAST_NAME,
     IDC_BROADCAST_SIZE,
     "Broadcast",
     {12, kNoFeature},
     "broadcastdetails",
     376,
     Strip(376)},
};

const int kSelectionOrder[] = {
    IDC_BASIC_CHECK,       IDC_VIDEO_CHECK,     IDC_ATTENDANCE_CHECK, IDC_EMAP_CHECK,
    IDC_STATISTICS_CHECK,  IDC_AI_CHECK,        IDC_TOPOLOGY_CHECK,   IDC_VISITOR_CHECK,
    IDC_CONSUMPTION_CHECK, IDC_BROADCAST_CHECK,
};

// Access Control is part of the basic row here.
const int kUnused[] = {IDC_ACCESS_CHECK, IDC_ACCESS_NAME, IDC_ACCESS_SIZE};

// The basic row already installs Access Control, a working product on its own: unlike the
// English and VS pages, this page lets the basic row alone go on.
const FeaturePageTable kTable{LoadPageLayout(IDD_COMPONENT_FULL),
                              FeatureRows(kRows),
                              CTableView<int>(kSelectionOrder),
                              CTableView<int>(kUnused),
                              5,
                              true,
                              false,
                              false};

}  // namespace

CComponentFullDlg::CComponentFullDlg() : CFeaturePage(IDD_COMPONENT_FULL, kTable) {}

const FeaturePageTable& CComponentFullDlg::Table() {
    return kTable;
}
