// skingallery [--skin <file>]: starts the skinning toolkit with a skin (the full skin by
// default) and shows one control of every class the control skinners serve, in every state.
#include "tools/skingallery/gallery_dialog.h"
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
    const INT_PTR result = gallery::RunGallery(instance, nullptr);
    gallery::StopSkinning();
    return result == IDOK || result == IDCANCEL ? 0 : 1;
}
