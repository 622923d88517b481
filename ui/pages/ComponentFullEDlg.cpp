#include "ui/pages/ComponentFullEDlg.h"

namespace {

using F = LayoutFont;
using C = LayoutColour;
constexpr LayoutBy kFixed = LayoutBy::Fixed;

const LayoutRow kLayoutRows[] = {
    {IDC_LOWER_PANEL, kFixed, {{0, 86, 720, 438}}, nullptr, F::None, C::Default, false},
    {IDC_FEATURE_FRAME, kFixed, {{180, 102, 320, 310}}, nullptr, F::None, C::Default, false},
    {IDC_CHOOSE_LABEL, kFixed, {{0, 106, 170, 20}}, "choosecomponent", F::Text, C::Default, false},
    {IDC_INFO_MARK, kFixed, {{180, 420, 24, 24}}, nullptr, F::None, C::Default, false},
    {IDC_FEATURE_DESCRIPTION, kFixed, {{204, 420, 508, 34}}, nullptr, F::Text, C::Default, false},
    {IDC_FOLDER_LABEL, kFixed, {{50, 458, 120, 20}}, "folder", F::Text, C::Default, false},
    {IDC_PATH_STRIP, kFixed, {{180, 452, 292, 8}}, nullptr, F::None, C::Default, false},
    {IDC_PATH_BOX, kFixed, {{180, 460, 292, 24}}, nullptr, F::Text, C::Default, false},
    {IDC_BROWSE_SQUARE, kFixed, {{472, 452, 28, 32}}, nullptr, F::None, C::Default, false},
    {IDC_BROWSE, kFixed, {{472, 456, 24, 24}}, nullptr, F::None, C::Default, false},
    {IDC_NEED_SPACE_LABEL, kFixed, {{180, 494, 60, 20}}, "needspace", F::Text, C::Default, false},
    {IDC_NEED_SPACE, kFixed, {{240, 494, 51, 20}}, nullptr, F::Text, C::Default, false},
    {IDC_FREE_SPACE_LABEL, kFixed, {{300, 494, 60, 20}}, "enblespace", F::Text, C::Default, false},
    {IDC_FREE_SPACE, kFixed, {{360, 494, 70, 20}}, nullptr, F::Text, C::Default, false},
    {IDC_DISK_SPACE_LINK, kFixed, {{430, 494, 70, 20}}, "diskspace", F::Text, C::Default, false},
    {IDC_PREVIOUS, kFixed, {{504, 476, 96, 32}}, "laststep", F::Bold, C::Default, false},
    {IDC_NEXT, kFixed, {{610, 476, 96, 32}}, "install", F::Bold, C::Default, false},
};

constexpr PageRect Strip(int y, int height) {
    return {182, y, 316, height};
}

const FeatureRow kRows[] = {
    {IDC_BASIC_CHECK,
     IDC_BASIC_NAME,
     IDC_BASIC_SIZE,
     "BasicConfiguration",
     508,
     {0, kNoFeature},
     "basicdetails2",
     112,
     Strip(108, 34)},
    {IDC_VIDEO_CHECK,
     IDC_VIDEO_NAME,
     IDC_VIDEO_SIZE,
     "Video",
     59,
     {1, kNoFeature},
     "vediodetails",
     146,
     Strip(142, 34)},
    {IDC_ACCESS_CHECK,
     IDC_ACCESS_NAME,
     IDC_ACCESS_SIZE,
     "AccessController",
     27,
     {3, kNoFeature},
     "accessdetails",
     180,
     Strip(176, 34)},
    {IDC_ATTENDANCE_CHECK,
     IDC_ATTENDANCE_NAME,
     IDC_ATTENDANCE_SIZE,
     "Attendance",
     13,
     {5, kNoFeature},
     "attendancedetails",
     214,
     Strip(210, 34)},
    {IDC_EMAP_CHECK,
     IDC_EMAP_NAME,
     IDC_EMAP_SIZE,
     "Emap",
     13,
     {2, kNoFeature},
     "emapdetails",
     248,
     Strip(244, 34)},
    {IDC_STATISTICS_CHECK,
     IDC_STATISTICS_NAME,
     IDC_STATISTICS_SIZE,
     "DataStatistics",
     13,
     {4, kNoFeature},
     "statisticsdetails",
     282,
     Strip(278, 34)},
    {IDC_AI_CHECK,
     IDC_AI_NAME,
     IDC_AI_SIZE,
     "AIDashboard",
     59,
     {8, kNoFeature},
     "AIboarddetails",
     316,
     Strip(312, 34)},
    {IDC_TOPOLOGY_CHECK,
     IDC_TOPOLOGY_NAME,
     IDC_TOPOLOGY_SIZE,
     "Topology",
     11,
     {6, kNoFeature},
     "topolopydetails",
     350,
     Strip(344, 30)},
    {IDC_BROADCAST_CHECK,
     IDC_BROADCAST_NAME,
     IDC_BROADCAST_SIZE,
     "Broadcast",
     11,
     {12, kNoFeature},
     "broadcastdetails",
     384,
     Strip(378, 30)},
};

const int kSelectionOrder[] = {
    IDC_BASIC_CHECK,      IDC_VIDEO_CHECK, IDC_ACCESS_CHECK,   IDC_ATTENDANCE_CHECK, IDC_EMAP_CHECK,
    IDC_STATISTICS_CHECK, IDC_AI_CHECK,    IDC_TOPOLOGY_CHECK, IDC_BROADCAST_CHECK,
};

const FeaturePageTable kTable{PageLayout(kLayoutRows),
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
