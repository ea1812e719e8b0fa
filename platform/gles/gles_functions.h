#pragma once
// Every GL and EGL function of gl.h and egl.h, for code that handles all of them alike (the dispatch
// table, the forwarding functions, library loading): X(return type, name, (parameters), (arguments)).
#include "platform/gles/egl.h"
#include "platform/gles/gl.h"

#define NYM_GL_FUNCTIONS(X)                                                                                  \
    X(void, glActiveTexture, (GLenum texture), (texture))                                                    \
    X(void, glAlphaFuncx, (GLenum func, GLclampx ref), (func, ref))                                          \
    X(void, glBindTexture, (GLenum target, GLuint texture), (target, texture))                               \
    X(void, glBlendFunc, (GLenum sfactor, GLenum dfactor), (sfactor, dfactor))                               \
    X(void, glClear, (GLbitfield mask), (mask))                                                              \
    X(void, glClearColorx, (GLclampx red, GLclampx green, GLclampx blue, GLclampx alpha),                    \
      (red, green, blue, alpha))                                                                             \
    X(void, glClearDepthx, (GLclampx depth), (depth))                                                        \
    X(void, glClientActiveTexture, (GLenum texture), (texture))                                              \
    X(void, glColor4x, (GLfixed red, GLfixed green, GLfixed blue, GLfixed alpha), (red, green, blue, alpha)) \
    X(void, glColorMask, (GLboolean red, GLboolean green, GLboolean blue, GLboolean alpha),                  \
      (red, green, blue, alpha))                                                                             \
    X(void, glColorPointer, (GLint size, GLenum type, GLsizei stride, const GLvoid* pointer),                \
      (size, type, stride, pointer))                                                                         \
    X(void, glCompressedTexImage2D,                                                                          \
      (GLenum target, GLint level, GLenum internalformat, GLsizei width, GLsizei height, GLint border,       \
       GLsizei imageSize, const GLvoid* data),                                                               \
      (target, level, internalformat, width, height, border, imageSize, data))                               \
    X(void, glCullFace, (GLenum mode), (mode))                                                               \
    X(void, glDeleteTextures, (GLsizei n, const GLuint* textures), (n, textures))                            \
    X(void, glDepthFunc, (GLenum func), (func))                                                              \
    X(void, glDepthMask, (GLboolean flag), (flag))                                                           \
    X(void, glDepthRangex, (GLclampx zNear, GLclampx zFar), (zNear, zFar))                                   \
    X(void, glDisable, (GLenum cap), (cap))                                                                  \
    X(void, glDisableClientState, (GLenum array), (array))                                                   \
    X(void, glDrawArrays, (GLenum mode, GLint first, GLsizei count), (mode, first, count))                   \
    X(void, glDrawElements, (GLenum mode, GLsizei count, GLenum type, const GLvoid* indices),                \
      (mode, count, type, indices))                                                                          \
    X(void, glEnable, (GLenum cap), (cap))                                                                   \
    X(void, glEnableClientState, (GLenum array), (array))                                                    \
    X(void, glFinish, (), ())                                                                                \
    X(void, glFlush, (), ())                                                                                 \
    X(void, glFogx, (GLenum pname, GLfixed param), (pname, param))                                           \
    X(void, glFrontFace, (GLenum mode), (mode))                                                              \
    X(void, glFrustumx,                                                                                      \
      (GLfixed left, GLfixed right, GLfixed bottom, GLfixed top, GLfixed zNear, GLfixed zFar),               \
      (left, right, bottom, top, zNear, zFar))                                                               \
    X(void, glGenTextures, (GLsizei n, GLuint * textures), (n, textures))                                    \
    X(GLenum, glGetError, (), ())                                                                            \
    X(void, glGetIntegerv, (GLenum pname, GLint * params), (pname, params))                                  \
    X(const GLubyte*, glGetString, (GLenum name), (name))                                                    \
    X(void, glHint, (GLenum target, GLenum mode), (target, mode))                                            \
    X(GLboolean, glIsEnabled, (GLenum cap), (cap))                                                           \
    X(void, glLoadIdentity, (), ())                                                                          \
    X(void, glLoadMatrixx, (const GLfixed* m), (m))                                                          \
    X(void, glMatrixMode, (GLenum mode), (mode))                                                             \
    X(void, glMultMatrixx, (const GLfixed* m), (m))                                                          \
    X(void, glNormalPointer, (GLenum type, GLsizei stride, const GLvoid* pointer), (type, stride, pointer))  \
    X(void, glOrthox,                                                                                        \
      (GLfixed left, GLfixed right, GLfixed bottom, GLfixed top, GLfixed zNear, GLfixed zFar),               \
      (left, right, bottom, top, zNear, zFar))                                                               \
    X(void, glPixelStorei, (GLenum pname, GLint param), (pname, param))                                      \
    X(void, glPopMatrix, (), ())                                                                             \
    X(void, glPushMatrix, (), ())                                                                            \
    X(void, glReadPixels,                                                                                    \
      (GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type, GLvoid * pixels),        \
      (x, y, width, height, format, type, pixels))                                                           \
    X(void, glRotatex, (GLfixed angle, GLfixed x, GLfixed y, GLfixed z), (angle, x, y, z))                   \
    X(void, glScalex, (GLfixed x, GLfixed y, GLfixed z), (x, y, z))                                          \
    X(void, glScissor, (GLint x, GLint y, GLsizei width, GLsizei height), (x, y, width, height))             \
    X(void, glShadeModel, (GLenum mode), (mode))                                                             \
    X(void, glTexCoordPointer, (GLint size, GLenum type, GLsizei stride, const GLvoid* pointer),             \
      (size, type, stride, pointer))                                                                         \
    X(void, glTexEnvx, (GLenum target, GLenum pname, GLfixed param), (target, pname, param))                 \
    X(void, glTexImage2D,                                                                                    \
      (GLenum target, GLint level, GLint internalformat, GLsizei width, GLsizei height, GLint border,        \
       GLenum format, GLenum type, const GLvoid* pixels),                                                    \
      (target, level, internalformat, width, height, border, format, type, pixels))                          \
    X(void, glTexParameterx, (GLenum target, GLenum pname, GLfixed param), (target, pname, param))           \
    X(void, glTexSubImage2D,                                                                                 \
      (GLenum target, GLint level, GLint xoffset, GLint yoffset, GLsizei width, GLsizei height,              \
       GLenum format, GLenum type, const GLvoid* pixels),                                                    \
      (target, level, xoffset, yoffset, width, height, format, type, pixels))                                \
    X(void, glTranslatex, (GLfixed x, GLfixed y, GLfixed z), (x, y, z))                                      \
    X(void, glVertexPointer, (GLint size, GLenum type, GLsizei stride, const GLvoid* pointer),               \
      (size, type, stride, pointer))                                                                         \
    X(void, glViewport, (GLint x, GLint y, GLsizei width, GLsizei height), (x, y, width, height))

#define NYM_EGL_FUNCTIONS(X)                                                                                 \
    X(EGLBoolean, eglBindAPI, (EGLenum api), (api))                                                          \
    X(EGLBoolean, eglChooseConfig,                                                                           \
      (EGLDisplay dpy, const EGLint* attrib_list, EGLConfig* configs, EGLint config_size,                    \
       EGLint* num_config),                                                                                  \
      (dpy, attrib_list, configs, config_size, num_config))                                                  \
    X(EGLContext, eglCreateContext,                                                                          \
      (EGLDisplay dpy, EGLConfig config, EGLContext share_context, const EGLint* attrib_list),               \
      (dpy, config, share_context, attrib_list))                                                             \
    X(EGLSurface, eglCreatePbufferSurface, (EGLDisplay dpy, EGLConfig config, const EGLint* attrib_list),    \
      (dpy, config, attrib_list))                                                                            \
    X(EGLSurface, eglCreateWindowSurface,                                                                    \
      (EGLDisplay dpy, EGLConfig config, EGLNativeWindowType win, const EGLint* attrib_list),                \
      (dpy, config, win, attrib_list))                                                                       \
    X(EGLBoolean, eglDestroyContext, (EGLDisplay dpy, EGLContext ctx), (dpy, ctx))                           \
    X(EGLBoolean, eglDestroySurface, (EGLDisplay dpy, EGLSurface surface), (dpy, surface))                   \
    X(EGLBoolean, eglGetConfigAttrib, (EGLDisplay dpy, EGLConfig config, EGLint attribute, EGLint * value),  \
      (dpy, config, attribute, value))                                                                       \
    X(EGLBoolean, eglGetConfigs,                                                                             \
      (EGLDisplay dpy, EGLConfig * configs, EGLint config_size, EGLint * num_config),                        \
      (dpy, configs, config_size, num_config))                                                               \
    X(EGLContext, eglGetCurrentContext, (), ())                                                              \
    X(EGLSurface, eglGetCurrentSurface, (EGLint readdraw), (readdraw))                                       \
    X(EGLDisplay, eglGetDisplay, (EGLNativeDisplayType display_id), (display_id))                            \
    X(EGLint, eglGetError, (), ())                                                                           \
    X(EGLBoolean, eglInitialize, (EGLDisplay dpy, EGLint * major, EGLint * minor), (dpy, major, minor))      \
    X(EGLBoolean, eglMakeCurrent, (EGLDisplay dpy, EGLSurface draw, EGLSurface read, EGLContext ctx),        \
      (dpy, draw, read, ctx))                                                                                \
    X(EGLBoolean, eglQuerySurface, (EGLDisplay dpy, EGLSurface surface, EGLint attribute, EGLint * value),   \
      (dpy, surface, attribute, value))                                                                      \
    X(const char*, eglQueryString, (EGLDisplay dpy, EGLint name), (dpy, name))                               \
    X(EGLBoolean, eglSwapBuffers, (EGLDisplay dpy, EGLSurface surface), (dpy, surface))                      \
    X(EGLBoolean, eglTerminate, (EGLDisplay dpy), (dpy))
