#include "app/entry.h"

int main(int argc, char** argv) { return tk::tkMain(argc, argv); }
