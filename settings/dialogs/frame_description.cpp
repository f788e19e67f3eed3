#include "settings/dialogs/frame_description.h"

#include "saver/ini_reader.h"

#include <cctype>

namespace {

constexpr char kDescriptionExtension[] = ".ini";
constexpr char kUntitled[] = "UnTitle";
constexpr int kRadix = 10;

bool FileExists(const CString& path) {
    const DWORD attributes = ::GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool AllDigits(const CString& text) {
    if (text.IsEmpty())
        return false;
    for (int i = 0; i < text.GetLength(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i])))
            return false;
    }
    return true;
}

// A size is "<width> <height>"; an empty one stands for a piece the frame does not use.
bool IsSize(const CString& text) {
    if (text.IsEmpty())
        return true;
    const int space = text.ReverseFind(' ');
    return space > 0 && AllDigits(text.Left(space)) && AllDigits(text.Mid(space + 1));
}

int IntOf(CIniReader& ini, const char* section, const char* key) {
    return static_cast<int>(ini.GetInt(section, key, 0, kRadix));
}

} // namespace

bool IsFrameDescription(const CString& name) {
    const int length = static_cast<int>(sizeof kDescriptionExtension) - 1;
    return name.GetLength() > length &&
           name.Right(length).CompareNoCase(kDescriptionExtension) == 0;
}

FrameListEntry ReadFrameListing(const CString& path) {
    FrameListEntry entry;
    const int dot = path.ReverseFind('.');
    entry.iniPath = (dot < 0 ? path : path.Left(dot)) + kDescriptionExtension;
    CIniReader ini;
    ini.SetPath(entry.iniPath);
    entry.title = ini.GetString("Info", "title", kUntitled);
    entry.direction = IntOf(ini, "Info", "direction");
    entry.type = IntOf(ini, "Make", "type");
    entry.stretchMode = IntOf(ini, "Make", "stretch_mode");
    entry.format = IntOf(ini, "Info", "format");
    entry.picturePath =
        entry.iniPath.Left(entry.iniPath.GetLength() - 4) + (entry.format != 0 ? ".png" : ".bmp");
    return entry;
}

bool ReadFrameSettings(const FrameListEntry& entry, FrameSettingsValues& frame) {
    if (!FileExists(entry.iniPath) || !FileExists(entry.picturePath))
        return false;
    CIniReader ini;
    ini.SetPath(entry.iniPath);
    FrameSettingsValues read = frame;
    read.framePicturePath = entry.picturePath;
    read.ver = ini.GetString("Info", "ver", "");
    read.title = ini.GetString("Info", "title", kUntitled);
    read.direction = IntOf(ini, "Info", "direction");
    read.format = IntOf(ini, "Info", "format");
    const std::pair<const char*, CString*> pieces[] = {
        {"upleft", &read.upleft}, {"upmid", &read.upmid},     {"upright", &read.upright},
        {"ctleft", &read.ctleft}, {"ctright", &read.ctright}, {"btleft", &read.btleft},
        {"btmid", &read.btmid},   {"btright", &read.btright},
    };
    for (const auto& [key, piece] : pieces)
        *piece = ini.GetString("Skin", key, "");
    read.type = IntOf(ini, "Make", "type");
    read.stretch_mode = IntOf(ini, "Make", "stretch_mode");
    read.pic_drawpt = ini.GetString("Make", "pic_drawpt", "");
    read.extraspace = ini.GetString("Make", "extraspace", "");
    for (const auto& [key, piece] : pieces) {
        if (!IsSize(*piece))
            return false;
    }
    if (!IsSize(read.extraspace))
        return false;
    frame = read;
    return true;
}
