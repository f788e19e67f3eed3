// Makes the skin object class for a stored type id. Top-level entries and child entries
// accept different sets of ids; any other id makes nothing.
#pragma once

#include "skin/core/skin_object.h"

#include <cstdint>
#include <memory>

enum class SkinObjectPlace { TopLevel, Child };

bool IsAcceptedSkinType(std::uint32_t typeId, SkinObjectPlace place);
std::unique_ptr<SkinObject> CreateSkinObject(std::uint32_t typeId, SkinObjectPlace place);
