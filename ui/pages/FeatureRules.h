#pragma once
// The rules of the feature pages as plain data and functions: which features a choice installs,
// what a modification adds and removes, which boxes an installation ticks, the Access Control
// lock and the space a choice needs. The pages connect them to their boxes.
#include <cstdint>
#include <vector>

#include "base/TableView.h"
#include "ui/PageLayout.h"

constexpr int32_t kNoFeature = -1;

// One row of a feature page: box, name and size label, what it installs and where it sits.
struct FeatureRow {
    int box;
    int name;
    int size;
    const char* nameKey;
    int32_t features[2];  // the second is kNoFeature on every row but the Chinese basic one
    const char* descriptionKey;
    int top;         // the box's top; name and size sit a page's text offset lower
    PageRect strip;  // the highlight strip behind the row
};
using FeatureRows = CTableView<FeatureRow>;

// The features to install: the rows in the selection order (box ids), each ticked row adding
// its features. The first row is the mandatory one and always ticked.
std::vector<int32_t> SelectedFeatures(FeatureRows rows, const std::vector<bool>& ticked,
                                      CTableView<int> selectionOrder);

// The row whose box has the id; -1 when none has.
int RowOfBox(FeatureRows rows, int box);

// A selection of the basic configuration alone: the English and VS pages refuse it.
bool OnlyBasicFeature(const std::vector<int32_t>& selection);

// What a row's features take, as the catalogue gives it.
int32_t RowSizeMb(const FeatureRow& row);

// The sum of the ticked rows' sizes.
int32_t RequiredSpaceMb(FeatureRows rows, const std::vector<bool>& ticked);

// The recorded client components as feature numbers, sorted and without repeats; components
// that belong to no feature (the framework) are left out.
std::vector<int32_t> InstalledFeatures(const std::vector<int32_t>& clientComponents);

// The boxes an installation ticks: a row whose features were installed; the mandatory first row
// always. Installed features without a row on the page change nothing.
std::vector<bool> TickedByInstalled(FeatureRows rows, const std::vector<int32_t>& installed);

struct FeatureChanges {
    std::vector<int32_t> toAdd;     // chosen, not installed
    std::vector<int32_t> toRemove;  // installed, not chosen
};
// Both ascending, whatever order the inputs come in.
FeatureChanges DiffFeatures(std::vector<int32_t> installed, std::vector<int32_t> selection);

// Attendance needs Access Control: ticking it ticks and locks Access Control; unticking it
// unlocks the box and leaves its tick as it was.
struct AccessControlBox {
    bool ticked;
    bool enabled;
};
AccessControlBox ApplyAccessControlRule(bool attendanceTicked, bool accessTicked);
