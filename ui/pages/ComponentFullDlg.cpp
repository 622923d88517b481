#include "ui/pages/ComponentFullDlg.h"

namespace {

using F = LayoutFont;
using C = LayoutColour;
constexpr LayoutBy kFixed = LayoutBy::Fixed;
constexpr LayoutBy kByLanguage = LayoutBy::Language;

const LayoutRow kLayoutRows[] = {
    {IDC_LOWER_PANEL, kFixed, {{0, 86, 720, 438}}, nullptr, F::None, C::Default, false},
    {IDC_FEATURE_FRAME, kFixed, {{180, 102, 320, 303}}, nullptr, F::None, C::Default, false},
    {IDC_CHOOSE_LABEL, kFixed, {{0, 106, 170, 20}}, "choosecomponent", F::Text, C::Default, false},
    {IDC_INFO_MARK, kFixed, {{160, 405, 24, 24}}, nullptr, F::None, C::Default, false},
    {IDC_FEATURE_DESCRIPTION, kFixed, {{188, 407, 524, 34}}, nullptr, F::Text, C::Default, false},
    {IDC_FOLDER_LABEL, kFixed, {{50, 444, 120, 20}}, "folder", F::Text, C::Default, false},
    {IDC_PATH_STRIP, kFixed, {{180, 438, 292, 8}}, nullptr, F::None, C::Default, false},
    {IDC_PATH_BOX, kFixed, {{180, 446, 292, 24}}, nullptr, F::Text, C::Default, false},
    {IDC_BROWSE_SQUARE, kFixed, {{472, 438, 28, 32}}, nullptr, F::None, C::Default, false},
    {IDC_BROWSE, kFixed, {{472, 442, 24, 24}}, nullptr, F::None, C::Default, false},
    // The Chinese labels are wider than the design's in every font we draw with: their row
    // starts under the folder label and ends before Previous.
    {IDC_NEED_SPACE_LABEL,
     kByLanguage,
     {{180, 480, 60, 20}, {50, 480, 96, 20}},
     "needspace",
     F::Text,
     C::Default,
     false},
    {IDC_NEED_SPACE,
     kByLanguage,
     {{240, 480, 51, 20}, {148, 480, 56, 20}},
     nullptr,
     F::Text,
     C::Default,
     false},
    {IDC_FREE_SPACE_LABEL,
     kByLanguage,
     {{300, 480, 60, 20}, {206, 480, 96, 20}},
     "enblespace",
     F::Text,
     C::Default,
     false},
    {IDC_FREE_SPACE,
     kByLanguage,
     {{360, 480, 70, 20}, {304, 480, 76, 20}},
     nullptr,
     F::Text,
     C::Default,
     false},
    {IDC_DISK_SPACE_LINK,
     kByLanguage,
     {{430, 480, 70, 20}, {386, 480, 80, 20}},
     "diskspace",
     F::Text,
     C::Default,
     false},
    {IDC_PREVIOUS, kFixed, {{500, 476, 96, 32}}, "laststep", F::Bold, C::Default, false},
    {IDC_NEXT, kFixed, {{606, 476, 96, 32}}, "install", F::Bold, C::Default, false},
};

// The strip lies 2 pixels above each row's box.
constexpr PageRect Strip(int top) {
    return {182, top - 2, 316, 30};
}

const FeatureRow kRows[] = {
    {IDC_BASIC_CHECK,
     IDC_BASIC_NAME,
     IDC_BASIC_SIZE,
     "BasicConfiguration&AccessController",
     535,
     {0, 3},
     "basicdetails3",
     106,
     Strip(106)},
    {IDC_VIDEO_CHECK,
     IDC_VIDEO_NAME,
     IDC_VIDEO_SIZE,
     "Video",
     59,
     {1, kNoFeature},
     "vediodetails",
     136,
     Strip(136)},
    {IDC_ATTENDANCE_CHECK,
     IDC_ATTENDANCE_NAME,
     IDC_ATTENDANCE_SIZE,
     "Attendance",
     13,
     {5, kNoFeature},
     "attendancedetails",
     166,
     Strip(166)},
    {IDC_EMAP_CHECK,
     IDC_EMAP_NAME,
     IDC_EMAP_SIZE,
     "Emap",
     13,
     {2, kNoFeature},
     "emapdetails",
     196,
     Strip(196)},
    {IDC_STATISTICS_CHECK,
     IDC_STATISTICS_NAME,
     IDC_STATISTICS_SIZE,
     "DataStatistics",
     13,
     {4, kNoFeature},
     "statisticsdetails",
     226,
     Strip(226)},
    {IDC_AI_CHECK,
     IDC_AI_NAME,
     IDC_AI_SIZE,
     "AIDashboard",
     59,
     {8, kNoFeature},
     "AIboarddetails",
     256,
     Strip(256)},
    {IDC_TOPOLOGY_CHECK,
     IDC_TOPOLOGY_NAME,
     IDC_TOPOLOGY_SIZE,
     "Topology",
     11,
     {6, kNoFeature},
     "topolopydetails",
     286,
     Strip(286)},
    {IDC_VISITOR_CHECK,
     IDC_VISITOR_NAME,
     IDC_VISITOR_SIZE,
     "VisitorManagement",
     24,
     {9, kNoFeature},
     "visitordetails",
     316,
     Strip(316)},
    {IDC_CONSUMPTION_CHECK,
     IDC_CONSUMPTION_NAME,
     IDC_CONSUMPTION_SIZE,
     "Consumption",
     24,
     {11, kNoFeature},
     "consumpdetails",
     346,
     Strip(346)},
    {IDC_BROADCAST_CHECK,
     IDC_BROADCAST_NAME,
     IDC_BROADCAST_SIZE,
     "Broadcast",
     11,
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
const FeaturePageTable kTable{PageLayout(kLayoutRows),
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
