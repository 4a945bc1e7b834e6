#include "app/ShellHooks.h"

namespace tavrin::app {
namespace {
ShellCommands*& current() {
    static ShellCommands* shell = nullptr;
    return shell;
}
} // namespace

ShellCommands* ShellHooks::shell() {
    return current();
}
void ShellHooks::setShell(ShellCommands* shell) {
    current() = shell;
}

} // namespace tavrin::app
