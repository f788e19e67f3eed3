#include "mfc/rich_edit_ctrl.h"

namespace {

// Held for the life of the program, as the class library keeps the module it loaded.
struct RichEditModule {
    HMODULE handle = LoadLibraryA("RICHED20.DLL");
    ~RichEditModule() {
        if (handle)
            FreeLibrary(handle);
    }
};

} // namespace

BOOL AfxInitRichEdit2() {
    static RichEditModule module;
    return module.handle != nullptr;
}

BOOL AfxInitRichEdit() {
    return AfxInitRichEdit2();
}
