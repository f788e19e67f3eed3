#include "settings/dialogs/effect_check_list.h"

BEGIN_MESSAGE_MAP(CEffectCheckList, CCheckListBox)
END_MESSAGE_MAP()
