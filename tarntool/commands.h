// The command groups of tarntool. Each takes the arguments after its group name and answers
// the process exit status: 0 success, 1 the operation failed, 2 bad use or unreadable input.
#pragma once

#include <string>
#include <vector>

namespace tarn::tool {

using Args = std::vector<std::string>;

int runExeCommand(const Args& args);         // tarntool exe ...
int runObjCommand(const Args& args);         // tarntool obj ...
int runPatchCommand(const Args& args);       // tarntool patch ...
int runSampleGameCommand(const Args& args);  // tarntool sample-game DIR
int runExeBudgetCommand(const Args& args);   // tarntool exe budget ...
int runExeCheckCommand(const Args& args);    // tarntool exe check ...
int runObjCheckCommand(const Args& args);    // tarntool obj check ...

}  // namespace tarn::tool
