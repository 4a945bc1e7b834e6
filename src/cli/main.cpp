#include "cli/Cli.h"
#include "cli/PasswordPrompt.h"

#include <iostream>

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return tavrin::cli::Cli(std::cin, std::cout, std::cerr, tavrin::cli::PasswordPrompt::ask)
        .run(args);
}
