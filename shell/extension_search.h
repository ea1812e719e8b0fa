#pragma once
// Whole-word search of the EGL and GL extension strings.
#include "platform/gles/egl.h"

// True when the blank-separated list holds the name as a whole word. A name that is empty or contains
// a blank is never present; a null list holds nothing.
bool ExtensionListed(const char* extensions, const char* name);

bool HasEGLExtension(EGLDisplay display, const char* name);
bool HasGLExtension(const char* name);
