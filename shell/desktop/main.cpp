// arcadeon: the desktop program.
#include "shell/desktop/run.h"

int main(int argc, char** argv) { return arcadeon::desktop::run(argc, argv, "arcadeon"); }
