// The Windows-style interface of the platform layer: include this one header.
#pragma once

#include "win32/types.h"
#include "win32/errors.h"
#include "win32/system.h"
#include "win32/files.h"
#include "win32/registry.h"
#include "win32/profile.h"
#include "win32/resources.h"
#include "win32/net.h"
#include "win32/window.h"
#include "win32/gdi.h"
#include "win32/dialog.h"
#include "win32/controls.h"
#include "win32/richedit.h"
#include "win32/commdlg.h"
#include "win32/media.h"
