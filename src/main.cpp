#include "CTavrinApp.h"

int main(int argc, char** argv) { return tavrin::CTavrinApp::run(argc, argv); }
