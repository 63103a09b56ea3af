#pragma once

namespace korvel {

constexpr int kCatalogueLines = 209;

struct CatalogueControl {
    int line;
    const char16_t *control;  // objectName of the menu item, tool button or tab
    bool hint;                // true: the line is the control's hint, else its caption
};

extern const char16_t *const kCatalogueGerman[kCatalogueLines];
extern const char16_t *const kCatalogueEnglish[kCatalogueLines];
extern const CatalogueControl kCatalogueControls[];
extern const int kCatalogueControlCount;

} // namespace korvel
