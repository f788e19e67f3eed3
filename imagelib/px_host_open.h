// Opening a Windows-style path as a stdio stream; provided by the platform's file layer.
#pragma once

#include <cstdio>

FILE* lv_fopen(const char* path, const char* mode);
