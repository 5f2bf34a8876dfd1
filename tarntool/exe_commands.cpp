#include <iostream>

#include "tarntool/commands.h"

namespace tarn::tool {

int runExeCommand(const Args&) {
    std::cerr << "tarntool: the exe commands are not built yet\n";
    return 2;
}

}  // namespace tarn::tool
