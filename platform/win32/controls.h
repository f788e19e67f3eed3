#pragma once

#include "win32/types.h"
