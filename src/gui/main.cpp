#include "app/programa.h"

int main(int argc, char** argv) { return vornex::gui::ExecutaVornex(argc, argv); }
