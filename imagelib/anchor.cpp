int lv_imagelib_anchor = 0;
