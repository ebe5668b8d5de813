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

// Made before the application object: asks for the shared OpenGL context the web engine expects,
// and, while the views draw in software, keeps X11's OpenGL out of the application (nothing else
// draws through it, and a software OpenGL costs some 20 MiB). RestoreEnvironment() once the
// application exists, so that programs it starts get the user's environment.
class OpenGLKeptOut {
public:
    OpenGLKeptOut() : m_set(WebViewsDrawInSoftware() && !qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
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
