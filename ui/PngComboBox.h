#pragma once
// The owner-drawn drive list of the disk-space dialog: dark rows, outlined text.
#include <cstdint>
#include <string>
#include <vector>

#include "ui/framework/Control.h"
#include "ui/framework/Gdi.h"

class CPngComboBox : public CControl {
public:
    static constexpr int kItemHeight = 30;
    static constexpr int kItemWidth = 400;
    static constexpr COLORREF kSelectedRow = RGB(39, 42, 46);
    static constexpr COLORREF kOtherRow = RGB(26, 29, 33);

    // Adds an item at the end of the list; icon 0 for none.
    void AddItem(const std::string& text, int iconId, COLORREF textColour);
    // The text of the item at the current selection; empty when nothing is selected.
    std::string GetSelectedText() const;
    // The item font becomes this face at height 17, default weight.
    void SetItemFontAndOutline(const char* faceName, COLORREF outline);

    int HighlightedIndex() const { return highlighted_; }
    bool IsHovered() const { return hover_; }
    bool IsPressed() const { return pressed_; }

protected:
    void OnAttached() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    struct Item {
        std::string text;
        CBitmap icon;
        COLORREF colour;
    };
    void PaintClosedBox();
    void DrawRow(const DRAWITEMSTRUCT& draw);
    void DrawItemContent(HDC dc, const RECT& row, const Item& item);
    void TrackHighlight(HWND list);
    void RepaintParentArea() const;

    std::vector<Item> items_;
    CFont font_;
    COLORREF outline_ = RGB(0, 0, 0);
    int highlighted_ = -1;
    bool hover_ = false;
    bool pressed_ = false;
};

// Text drawn eight times in the outline colour around its place, then once in its own colour.
void DrawOutlinedText(HDC dc, const std::string& text, RECT rect, COLORREF colour,
                      COLORREF outline);
