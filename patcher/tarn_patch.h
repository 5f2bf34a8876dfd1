// TarnPatch, the end-user program: applies the object texts attached to its own executable to
// the object files of the game folder it is run from, with a console dialogue.
#pragma once

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "enduser/obj_texts.h"
#include "enduser/resource_bundle.h"
#include "objfiles/obj_text_model.h"
#include "patcher/yes_set.h"

namespace tarn {

namespace fs = std::filesystem;

class TarnPatch {
public:
    // resources: the bundle of the program's own executable (empty when it has none);
    // resourceError: why it could not be read, if so. gameFolder holds "ObjData".
    TarnPatch(ResourceBundle resources, std::string resourceError, fs::path gameFolder,
              std::istream& in, std::ostream& out);

    // The whole run; answers the exit code (0 after the final prompt, 1 otherwise).
    int run();

    // Message number with its inserts (UTF-8), as console text; "--Text not found!--" for a
    // missing or empty entry and when formatting fails.
    std::string loadMessage(unsigned number, const std::vector<std::string>& inserts = {}) const;

    // Reads one answer line; yes when its first character is in the yes set.
    bool askYes();

    // The file loop; answers the error count.
    std::uint32_t processFiles(ObjTextsReader& reader);

private:
    enum class Outcome { Next, Stop };
    int FatalError(unsigned number);
    void waitForEnter();
    void line(const std::string& text = {});
    void blankProgressLine();
    std::string displayPath(const std::string& name) const;
    Outcome processFile(ObjTextsReader& reader, const std::string& name);
    bool reportError(unsigned message, const std::string& name, const std::string& error);
    void reportTruncated(const std::string& name);

    ResourceBundle resources_;
    std::string resourceError_;
    fs::path gameFolder_;
    fs::path objData_;
    std::istream& in_;
    std::ostream& out_;
    std::optional<YesSet> yes_;
    bool enhanced_ = false;
    std::uint32_t errors_ = 0;
};

// Whether a file name from OBJTEXTS names a file directly inside ObjData: not empty, not
// absolute, no path separator, no "..", no drive letter or other colon, no zero byte.
bool isPlainFileName(const std::string& name);

}  // namespace tarn
