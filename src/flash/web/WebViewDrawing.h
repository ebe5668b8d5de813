#pragma once
// How the flash web views draw, shared by the program and the engine module (header only).
#include <QCoreApplication>
#include <QtGlobal>

// Whether the web views draw in software, as widgets of the window: unless the user chose a Qt
// Quick backend (QT_QUICK_BACKEND). Drawn through OpenGL, they share the application's context.
inline bool WebViewsDrawInSoftware()
{
    return !qEnvironmentVariableIsSet("QT_QUICK_BACKEND");
}

// Whether Qt is about to run on X11: the platform QT_QPA_PLATFORM names, else X11 unless the
// session is a Wayland one.
inline bool PlatformIsX11()
{
    const QByteArray named = qgetenv("QT_QPA_PLATFORM");
    if (!named.isEmpty())
        return named.startsWith("xcb");
    return qgetenv("XDG_SESSION_TYPE") != "wayland" || qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

// Made before the application object: asks for the shared OpenGL context the web engine expects,
// and, while the views draw in software, keeps X11's OpenGL out of the application (nothing else
// draws through it, and a software OpenGL costs some 20 MiB); on X11 only, where the setting exists.
// RestoreEnvironment() once the application exists, so that programs it starts get the user's environment.
class OpenGLKeptOut {
public:
    OpenGLKeptOut()
        : m_set(WebViewsDrawInSoftware() && PlatformIsX11() &&
                !qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
    {
        if (m_set)
            qputenv("QT_XCB_GL_INTEGRATION", "none");
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    }
    void RestoreEnvironment()
    {
        if (m_set)
            qunsetenv("QT_XCB_GL_INTEGRATION");
        m_set = false;
    }

private:
    bool m_set;
};
