// X11's own settings are made only when Qt is about to run on X11.
#include "flash/web/WebViewDrawing.h"

#include <gtest/gtest.h>

namespace {

// Sets the variables for one case and puts the old values back afterwards.
class Variables {
public:
    Variables(const char* platform, const char* session, const char* display)
    {
        for (const char* name : kNames)
            m_saved.append({name, qEnvironmentVariableIsSet(name), qgetenv(name)});
        Put("QT_QPA_PLATFORM", platform);
        Put("XDG_SESSION_TYPE", session);
        Put("WAYLAND_DISPLAY", display);
    }
    ~Variables()
    {
        for (const Saved& saved : m_saved)
            Put(saved.name, saved.set ? saved.value.constData() : nullptr);
    }

private:
    struct Saved {
        const char* name;
        bool set;
        QByteArray value;
    };
    static constexpr const char* kNames[] = {"QT_QPA_PLATFORM", "XDG_SESSION_TYPE", "WAYLAND_DISPLAY"};
    static void Put(const char* name, const char* value)
    {
        if (value == nullptr)
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    QList<Saved> m_saved;
};

// Whether the settings would be made with these variables (null: not set).
bool X11With(const char* platform, const char* session, const char* display)
{
    const Variables variables(platform, session, display);
    return PlatformIsX11();
}

} // namespace

TEST(PlatformSettings, X11OnlyWhereQtWillChooseIt)
{
    EXPECT_TRUE(X11With("xcb", "wayland", "wayland-0"));
    EXPECT_FALSE(X11With("wayland", nullptr, nullptr));
    EXPECT_FALSE(X11With("offscreen", nullptr, nullptr));
    EXPECT_FALSE(X11With(nullptr, "wayland", "wayland-0"));
    EXPECT_TRUE(X11With(nullptr, "x11", nullptr));
    EXPECT_TRUE(X11With(nullptr, "wayland", nullptr)); // no compositor to reach: X11 it is
}
