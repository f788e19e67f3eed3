#pragma once

#include "win32/win32.h"
