// tarntool: batch work on the game's executable texts and object files, without windows.
#include "platform/core/console.h"
#include "tarntool/commands.h"

int main(int argc, char** argv) {
    tarn::platform::prepareUtf8Output();
    return tarn::tool::runTarntool(argc, argv);
}
