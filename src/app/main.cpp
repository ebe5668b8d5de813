#include "app/CWizardApp.h"

int main(int argc, char** argv)
{
    CWizardApp app(argc, argv);
    return app.Run();
}
