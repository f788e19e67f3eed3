// The words the layer shows of its own: its stand-ins for the system's dialogs and message
// boxes and the class library's messages speak the user's language, as the system's do.
#pragma once

#include "system/resources_registry.h"

namespace lv::dialog {

template <typename Texts> struct TextsByLanguage {
    Texts english;
    Texts japanese;
    Texts korean;
};

// The texts of the user's language (English, Japanese or Korean; English for any other).
template <typename Texts> const Texts& in_user_language(const TextsByLanguage<Texts>& texts) {
    switch (resources::user_language()) {
    case resources::Language::Japanese:
        return texts.japanese;
    case resources::Language::Korean:
        return texts.korean;
    default:
        return texts.english;
    }
}

} // namespace lv::dialog
