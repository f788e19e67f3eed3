int lv_skin_core_anchor = 0;
