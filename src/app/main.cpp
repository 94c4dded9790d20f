// vestra: the windowed configuration program.
#include "app/Application.h"

int main(int argc, char** argv) {
    return vestra::app::RunApplication(argc, argv);
}
