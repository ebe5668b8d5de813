#include "app/CWizardApp.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    // Answered before the application object exists, so that it needs no display.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("skinmaker %s\n", SKIN_VERSION);
            return 0;
        }
    }
    CWizardApp app(argc, argv);
    return app.Run();
}
