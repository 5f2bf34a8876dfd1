#include "patcher/tarn_patch.h"

#include <istream>
#include <ostream>

#include "common/errors.h"
#include "common/file_io.h"
#include "enduser/message_formatter.h"
#include "enduser/message_table.h"
#include "enduser/utf16_text.h"
#include "objfiles/object_container.h"
#include "objfiles/object_folder.h"
#include "objfiles/text_tables.h"
#include "platform/core/console.h"
#include "platform/core/paths.h"

namespace tarn {

namespace {

const char* const kBanner = "Tarn Object Text Changer";
const char* const kNoResources =
    "ERROR: No language resources were found, the executable file may be corrupt!";
const char* const kPressEnterToFinish = "Press Enter to finish program.";
const char16_t* const kTextNotFound = u"--Text not found!--";
const char* const kTextsEndEarly = "The attached texts end early - the executable may be corrupt";

// The longest message text the program takes, as the Windows string loader fills a buffer of
// 1023 units.
constexpr std::size_t kMaxMessageLength = 1022;

}  // namespace

bool isPlainFileName(const std::string& name) {
    if (name.empty() || name.find('\0') != std::string::npos) {
        return false;
    }
    if (name.find('/') != std::string::npos || name.find('\\') != std::string::npos ||
        name.find(':') != std::string::npos || name.find("..") != std::string::npos) {
        return false;
    }
    return name != "." && !fs::path(name).is_absolute();
}

TarnPatch::TarnPatch(ResourceBundle resources, std::string resourceError, fs::path gameFolder,
                     std::istream& in, std::ostream& out)
    : resources_(std::move(resources)),
      resourceError_(std::move(resourceError)),
      gameFolder_(std::move(gameFolder)),
      in_(in),
      out_(out) {}

std::string TarnPatch::loadMessage(unsigned number, const std::vector<std::string>& inserts) const {
    std::u16string text = loadString(resources_, number);
    if (text.size() > kMaxMessageLength) {
        text.resize(kMaxMessageLength);
    }
    std::optional<std::u16string> formatted;
    if (!text.empty()) {
        std::vector<std::u16string> wide;
        for (const std::string& insert : inserts) {
            wide.push_back(bytesToUtf16(insert));
        }
        formatted = formatMessage(text, wide, 80, kMaxMessageLength);
    }
    return platform::toConsoleText(formatted ? *formatted : std::u16string(kTextNotFound));
}

void TarnPatch::line(const std::string& text) {
    out_ << text << platform::consoleLineEnd();
}

void TarnPatch::waitForEnter() {
    out_.flush();
    std::string ignored;
    std::getline(in_, ignored);
}

bool TarnPatch::askYes() {
    out_.flush();
    std::string answer;
    if (!std::getline(in_, answer)) {
        return false;
    }
    if (!answer.empty() && answer.back() == '\r') {
        answer.pop_back();
    }
    return yes_->answers(answer);
}

int TarnPatch::FatalError(unsigned number) {
    line(loadMessage(number));
    line();
    line(loadMessage(kMsgPressEnter));
    waitForEnter();
    return 1;
}

int TarnPatch::run() {
    line(kBanner);
    line(std::string(std::char_traits<char>::length(kBanner), '-'));
    line();

    bool hasMessageTable = false;
    for (const Resource& r : resources_.resources()) {
        hasMessageTable |=
            r.key.type == kStringTableType && r.key.name == ResourceName::number(kMessageTableName);
    }
    if (!hasMessageTable) {
        line(kNoResources);
        if (!resourceError_.empty()) {
            line(platform::nativeToConsoleText(resourceError_));
        }
        line();
        line(kPressEnterToFinish);
        waitForEnter();
        return 1;
    }
    const Bytes* objTexts = resources_.find({kRawDataType, ResourceName::string(kObjTextsName), 0});
    // Data too short for its own header cannot be the texts either.
    if (objTexts == nullptr || objTexts->size() < 5) {
        return FatalError(kMsgNoNewTexts);
    }
    const auto objData = platform::findEntryIgnoringCase(gameFolder_, "ObjData");
    if (!objData || !directoryExists(*objData)) {
        return FatalError(kMsgNoObjData);
    }
    objData_ = *objData;
    yes_.emplace(loadString(resources_, kMsgYesChars));

    out_ << loadMessage(kMsgQuestion);
    if (!askYes()) {
        return 1;
    }
    std::uint32_t errors = 0;
    {
        ObjTextsReader reader(*objTexts);
        errors = processFiles(reader);
    }
    line(errors == 0 ? loadMessage(kMsgAllOk)
                     : loadMessage(kMsgFinishedWithErrors, {std::to_string(errors)}));
    line();
    line(loadMessage(kMsgPressEnter));
    waitForEnter();
    return 0;
}

void TarnPatch::blankProgressLine() {
    out_ << std::string(79, ' ') << '\r';
    out_.flush();
}

std::string TarnPatch::displayPath(const std::string& name) const {
    return "ObjData" + fs::path("/").make_preferred().string() + name;
}

bool TarnPatch::reportError(unsigned message, const std::string& name, const std::string& error) {
    ++errors_;
    line();
    line(loadMessage(message, {displayPath(name)}));
    line(platform::nativeToConsoleText(error));
    out_ << loadMessage(kMsgIgnoreError);
    return askYes();
}

void TarnPatch::reportTruncated(const std::string& name) {
    ++errors_;
    line();
    line(loadMessage(kMsgOpenError,
                     {name.empty() ? std::string(kObjTextsName) : displayPath(name)}));
    line(kTextsEndEarly);
}

std::uint32_t TarnPatch::processFiles(ObjTextsReader& reader) {
    errors_ = 0;
    line(loadMessage(kMsgProcessing));
    line();
    try {
        reader.readHeader();
    } catch (const StreamReadError&) {
        reportTruncated({});
        return errors_;
    }
    enhanced_ = reader.enhancedRle();
    for (std::uint32_t i = 1; i <= reader.fileCount(); ++i) {
        std::string name;
        try {
            name = reader.readFileName();
        } catch (const StreamReadError&) {
            reportTruncated({});
            return errors_;
        }
        blankProgressLine();
        out_ << loadMessage(kMsgProgress, {name, std::to_string(reader.fileCount() - i)}) << '\r';
        out_.flush();
        if (processFile(reader, name) == Outcome::Stop) {
            return errors_;
        }
    }
    blankProgressLine();
    return errors_;
}

TarnPatch::Outcome TarnPatch::processFile(ObjTextsReader& reader, const std::string& name) {
    // Each file has its own buffers, so nothing of one file reaches the next.
    ObjFile object;
    Bytes decoded;
    fs::path path;
    try {
        if (!isPlainFileName(name)) {
            throw FileError("Refused to open \"" + displayPath(name) +
                            "\": the name is not a plain file name inside ObjData");
        }
        path = platform::findEntryIgnoringCase(objData_, name).value_or(objData_ / name);
        const Bytes file = readWholeFile(path);
        decoded = decodeObjectFile(file, object);
        readTextGroups(decoded, object);
    } catch (const std::exception& e) {
        if (!reportError(kMsgOpenError, name, e.what())) {
            return Outcome::Stop;
        }
        ObjFileTexts none;
        try {
            applyNewTexts(reader.stream(), none);
        } catch (const StreamReadError&) {
            reportTruncated(name);
            return Outcome::Stop;
        }
        return Outcome::Next;
    }

    try {
        applyNewTexts(reader.stream(), object.Texts);
    } catch (const StreamReadError&) {
        reportTruncated(name);
        return Outcome::Stop;
    }

    try {
        const Bytes rebuilt = writeTextGroups(decoded, object);
        decoded.clear();
        writeFileAtomically(path, encodeObjectFile(rebuilt, object, enhanced_));
    } catch (const std::exception& e) {
        return reportError(kMsgSaveError, name, e.what()) ? Outcome::Next : Outcome::Stop;
    }
    return Outcome::Next;
}

}  // namespace tarn
