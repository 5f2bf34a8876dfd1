// tarntool: batch work on the game's executable texts and object files, without windows.
#include "platform/core/arguments.h"
#include "platform/core/console.h"
#include "tarntool/commands.h"

int main(int argc, char** argv) {
    tarn::platform::prepareUtf8Output();
    const std::vector<std::string> args = tarn::platform::utf8Arguments(argc, argv);
    return tarn::tool::runTarntool({args.begin() + (args.empty() ? 0 : 1), args.end()});
}
