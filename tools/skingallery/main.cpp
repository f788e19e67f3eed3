// skingallery [--skin <file>] [--dialog]: starts the skinning toolkit with a skin (the full skin
// by default) and shows the gallery's main frame: menus, MDI pictures and a context menu, with
// the dialog of every control class the control skinners serve behind a menu command. With
// --dialog the controls dialog alone is shown, and the program ends with it.
#include "tools/skingallery/gallery_dialog.h"
#include "tools/skingallery/gallery_frame.h"
#include "tools/skingallery/gallery_skin.h"

#include <iostream>

int main(int argc, char** argv) {
    gallery::GalleryOptions options;
    std::string error;
    if (!gallery::ParseGalleryArguments(argc, argv, options, error)) {
        std::cerr << "skingallery: " << error << "\n";
        return 2;
    }
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!gallery::StartSkinning(instance, options, error)) {
        std::cerr << "skingallery: " << error << "\n";
        return 1;
    }
    int code = 0;
    if (options.dialog_only) {
        const INT_PTR result = gallery::RunGallery(instance, nullptr);
        code = result == IDOK || result == IDCANCEL ? 0 : 1;
    } else {
        code = gallery::RunGalleryFrame(instance);
    }
    gallery::StopSkinning();
    return code;
}
