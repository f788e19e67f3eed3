#include "dialog/file_dialog_texts.h"

#include "dialog/user_language_texts.h"

namespace lv::dialog {
namespace {

constexpr TextsByLanguage<FileDialogTexts> kTexts{
    {
        "Open",
        "Save As",
        "Look &in:",
        "File &name:",
        "Files of &type:",
        "Save as &type:",
        "&Open",
        "&Save",
        "Cancel",
        "Up",
        "%s\nFile not found.\nCheck the file name and try again.",
        "%s\nPath does not exist.\nCheck the path and try again.",
        "%s already exists.\nDo you want to replace it?",
    },
    {
        "開く",
        "名前を付けて保存",
        "ファイルの場所(&I):",
        "ファイル名(&N):",
        "ファイルの種類(&T):",
        "ファイルの種類(&T):",
        "開く(&O)",
        "保存(&S)",
        "キャンセル",
        "上へ",
        "%s\nファイルが見つかりません。\nファイル名を確認して、やり直してください。",
        "%s\nパスが存在しません。\nパスを確認して、やり直してください。",
        "%s は既に存在します。\n上書きしますか?",
    },
    {
        "열기",
        "다른 이름으로 저장",
        "찾는 위치(&I):",
        "파일 이름(&N):",
        "파일 형식(&T):",
        "파일 형식(&T):",
        "열기(&O)",
        "저장(&S)",
        "취소",
        "위로",
        "%s\n파일을 찾을 수 없습니다.\n파일 이름을 확인한 후 다시 시도하십시오.",
        "%s\n경로가 없습니다.\n경로를 확인한 후 다시 시도하십시오.",
        "%s이(가) 이미 있습니다.\n바꾸시겠습니까?",
    }};

} // namespace

const FileDialogTexts& file_dialog_texts() {
    return in_user_language(kTexts);
}

std::string with_path(const char* pattern, const std::string& path) {
    std::string text = pattern;
    const auto at = text.find("%s");
    if (at != std::string::npos)
        text.replace(at, 2, path);
    return text;
}

} // namespace lv::dialog
