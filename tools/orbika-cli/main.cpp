// orbika-cli: headless access to the computation library.
#include <clocale>

#include "commands.h"

int main(int argc, char** argv)
{
    // Like the GUI, take the C locale from the environment; output repairs decimal commas.
    std::setlocale(LC_ALL, "");
    return runCommand(argc - 1, argv + 1);
}
