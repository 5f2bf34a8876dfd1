// tarntool: batch work on the game's executable texts and object files, without windows.
#include "tarntool/commands.h"

int main(int argc, char** argv) {
    return tarn::tool::runTarntool(argc, argv);
}
