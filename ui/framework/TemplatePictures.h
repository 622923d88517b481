#pragma once
// The picture controls a dialog template names: static controls with SS_BITMAP whose text is a
// resource number. The system would load that number as a bitmap resource while it creates the
// dialog; the skin's pictures are PNG resources, so the dialog gives them itself (CDialog).
#include <cstddef>
#include <vector>

struct CTemplatePicture {
    int controlId;
    int pictureId;
};

// The picture controls of an extended template (DIALOGEX, as every template of the program is),
// in template order. *whole (when given) says whether every control was read; a damaged or
// other kind of template gives the controls read up to the damage.
std::vector<CTemplatePicture> ReadTemplatePictures(const void* bytes, size_t size,
                                                   bool* whole = nullptr);

// Those of the program's dialog template; none when there is no such template.
std::vector<CTemplatePicture> TemplatePictures(int templateId);
