// Quorvex, the desktop program.
#include "app/Startup.h"

int main(int argc, char** argv)
{
    return RunQuorvex(argc, argv);
}
