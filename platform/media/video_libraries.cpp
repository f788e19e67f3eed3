#include "media/video_libraries.h"

#include "system/modules.h"
#include "win32/vfw.h"

#include <mutex>

namespace lv::media {

void register_video_libraries() {
    static std::once_flag once;
    std::call_once(once, [] {
        register_builtin_module("avifil32.dll",
                                {builtin_proc("AVIFileInit", &AVIFileInit),
                                 builtin_proc("AVIFileExit", &AVIFileExit),
                                 builtin_proc("AVIFileOpenA", &AVIFileOpenA),
                                 builtin_proc("AVIFileInfoA", &AVIFileInfoA),
                                 builtin_proc("AVIFileGetStream", &AVIFileGetStream),
                                 builtin_proc("AVIFileRelease", &AVIFileRelease),
                                 builtin_proc("AVIStreamRelease", &AVIStreamRelease),
                                 builtin_proc("AVIStreamReadFormat", &AVIStreamReadFormat),
                                 builtin_proc("AVIStreamStart", &AVIStreamStart),
                                 builtin_proc("AVIStreamLength", &AVIStreamLength),
                                 builtin_proc("AVIStreamGetFrameOpen", &AVIStreamGetFrameOpen),
                                 builtin_proc("AVIStreamGetFrame", &AVIStreamGetFrame),
                                 builtin_proc("AVIStreamGetFrameClose", &AVIStreamGetFrameClose)});
        register_builtin_module("msvfw32.dll", {builtin_proc("DrawDibOpen", &DrawDibOpen),
                                                builtin_proc("DrawDibClose", &DrawDibClose),
                                                builtin_proc("DrawDibDraw", &DrawDibDraw)});
    });
}

} // namespace lv::media
