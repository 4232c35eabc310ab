#include "cli/BuildCommand.h"

#include <iostream>

int main(int argc, char** argv)
{
    return velmora::runBuildCommand(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
