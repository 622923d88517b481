#include "ui/pages/FeatureRules.h"

#include <algorithm>
#include <iterator>

#include "product/Catalogue.h"

namespace {

bool RowHasFeature(const FeatureRow& row, int32_t feature) {
    return std::find(std::begin(row.features), std::end(row.features), feature) !=
           std::end(row.features);
}

}  // namespace

std::vector<int32_t> SelectedFeatures(FeatureRows rows, const std::vector<bool>& ticked,
                                      CTableView<int> selectionOrder) {
    std::vector<int32_t> selection;
    for (int box : selectionOrder) {
        for (size_t index = 0; index < rows.size(); ++index) {
            const FeatureRow& row = rows[index];
            if (row.box != box || !(index == 0 || ticked[index])) {
                continue;
            }
            for (int32_t feature : row.features) {
                if (feature != kNoFeature) {
                    selection.push_back(feature);
                }
            }
        }
    }
    return selection;
}

int RowOfBox(FeatureRows rows, int box) {
    for (size_t index = 0; index < rows.size(); ++index) {
        if (rows[index].box == box) {
            return static_cast<int>(index);
        }
    }
    return -1;
}

bool OnlyBasicFeature(const std::vector<int32_t>& selection) {
    return selection == std::vector<int32_t>{0};
}

int32_t RowSizeMb(const FeatureRow& row) {
    std::vector<int32_t> features;
    for (int32_t feature : row.features) {
        if (feature != kNoFeature) {
            features.push_back(feature);
        }
    }
    return FeaturesSizeMb(features);
}

int32_t RequiredSpaceMb(FeatureRows rows, const std::vector<bool>& ticked) {
    int32_t sum = 0;
    for (size_t index = 0; index < rows.size(); ++index) {
        if (ticked[index]) {
            sum += RowSizeMb(rows[index]);
        }
    }
    return sum;
}

std::vector<int32_t> InstalledFeatures(const std::vector<int32_t>& clientComponents) {
    std::vector<int32_t> features;
    for (int32_t component : clientComponents) {
        if (const auto feature = ComponentFeature(component)) {
            features.push_back(*feature);
        }
    }
    std::sort(features.begin(), features.end());
    features.erase(std::unique(features.begin(), features.end()), features.end());
    return features;
}

std::vector<bool> TickedByInstalled(FeatureRows rows, const std::vector<int32_t>& installed) {
    std::vector<bool> ticked(rows.size(), false);
    for (size_t index = 0; index < rows.size(); ++index) {
        ticked[index] =
            index == 0 || std::any_of(installed.begin(), installed.end(),
                                      [&](int32_t f) { return RowHasFeature(rows[index], f); });
    }
    return ticked;
}

FeatureChanges DiffFeatures(std::vector<int32_t> installed, std::vector<int32_t> selection) {
    std::sort(installed.begin(), installed.end());
    std::sort(selection.begin(), selection.end());
    FeatureChanges changes;
    std::set_difference(selection.begin(), selection.end(), installed.begin(), installed.end(),
                        std::back_inserter(changes.toAdd));
    std::set_difference(installed.begin(), installed.end(), selection.begin(), selection.end(),
                        std::back_inserter(changes.toRemove));
    return changes;
}

AccessControlBox ApplyAccessControlRule(bool attendanceTicked, bool accessTicked) {
    if (attendanceTicked) {
        return {true, false};
    }
    return {accessTicked, true};
}
