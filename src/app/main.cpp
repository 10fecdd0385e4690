#include "app/DoodleApp.h"

int main(int argc, char** argv)
{
    CDoodleApp app;
    return app.Run(argc, argv);
}
