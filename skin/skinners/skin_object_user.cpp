#include "skin/skinners/skin_object_user.h"

SkinObject* SkinObjectUser::ApplySkin(SkinObject* object) {
    SkinObject* previous = m_object;
    m_object = object;
    return previous;
}

std::string_view SkinObjectUser::GetName() const {
    return m_object ? m_object->GetName() : std::string_view();
}

std::uint32_t SkinObjectUser::GetType() const {
    return m_object ? m_object->GetType() : 0;
}
