// windows.h for the few files that call Windows directly, included only from here. Without the
// parts we never use and without min/max macros; the API names it still defines as macros for
// their ...A/...W variants would rename our own functions of the same name, so they are undone.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#undef FindText
#undef MessageBox
#undef MoveFile
