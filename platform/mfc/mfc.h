// The class-library subset the programs are written against: include this one header.
#pragma once

#include "win32/win32.h"

#include "mfc/check_list_box.h"
#include "mfc/collections.h"
#include "mfc/color_dialog.h"
#include "mfc/controls.h"
#include "mfc/cstring.h"
#include "mfc/data_exchange.h"
#include "mfc/dialog.h"
#include "mfc/file.h"
#include "mfc/frame_wnd.h"
#include "mfc/image_list.h"
#include "mfc/menu.h"
#include "mfc/threads.h"
#include "mfc/tool_tip_ctrl.h"
#include "mfc/winapp.h"
#include "mfc/wnd.h"
