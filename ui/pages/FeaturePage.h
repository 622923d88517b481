#pragma once
// The feature page: rows of features to tick, the folder, the space they need and Install.
// One behaviour for the three page classes; each class gives only its tables.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ui/ButtonST.h"
#include "ui/MyButton.h"
#include "ui/MyTextButton.h"
#include "ui/SkinDialog.h"
#include "ui/pages/FeatureRules.h"

// What distinguishes one feature page from another.
struct FeaturePageTable {
    PageLayout layout;               // every control but the rows
    FeatureRows rows;                // the mandatory basic row first
    CTableView<int> selectionOrder;  // boxes, in the order their features are installed
    CTableView<int> unused;          // template controls this page hides
    int textOffset;                  // names and sizes sit this far below their box's top
    bool optionalRowsStartTicked;
    bool accessControlRule;     // Attendance ticks and locks Access Control
    bool needsOptionalFeature;  // the basic configuration alone is refused (kind 0)
};

class CFeaturePage : public CSkinDlg {
protected:
    CFeaturePage(int templateId, const FeaturePageTable& table);

    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;

private:
    void SetUpRows();
    void SetUpForInstallType();
    void Highlight(size_t row);
    void ShowRequiredSpace();
    void PaintNow() const;
    void ShowAvailableSpace();
    void ApplyAccessControlRule();
    void Previous();
    void Install();
    // Checks the folder and the space and writes the choice to the install context; false when
    // the install must not start.
    bool StoreChoice(const std::vector<int32_t>& selection);

    std::vector<bool> Ticked() const;
    void SetTicked(size_t row, bool ticked);
    int RowOfBox(int id) const;
    int RowOfName(int id) const;

    const FeaturePageTable& table_;
    std::vector<std::unique_ptr<CButtonST>> boxes_;
    CButtonST browse_;
    CMyButton previous_;
    CMyButton install_;
    CMyTextButton diskSpaceLink_;
    std::string root_;
    std::string folderName_;
    int64_t availableMb_ = 0;
    int32_t requiredMb_ = 0;
    size_t highlighted_ = 0;
};
