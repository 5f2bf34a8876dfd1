#include <iostream>

#include "tarntool/commands.h"

namespace tarn::tool {

int runObjCommand(const Args&) {
    std::cerr << "tarntool: the obj commands are not built yet\n";
    return 2;
}

}  // namespace tarn::tool
