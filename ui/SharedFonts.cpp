#include "ui/SharedFonts.h"

namespace {

SharedFonts gFonts;

HFONT CreateYaHei(int height, int weight) {
    return CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, ANSI_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       FF_SWISS | DEFAULT_PITCH, "Microsoft YaHei");
}

}  // namespace

void CreateSharedFonts() {
    if (gFonts.title != nullptr) {
        return;
    }
    gFonts.title = CreateYaHei(19, FW_BOLD);
    gFonts.boldText = CreateYaHei(17, FW_BOLD);
    gFonts.text = CreateYaHei(17, FW_NORMAL);
}

const SharedFonts& GetSharedFonts() {
    return gFonts;
}
