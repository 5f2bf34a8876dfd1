// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/patch_builder/build_patch.h"

#include <QApplication>
#include <QDir>
#include <exception>

#include "app/patch_builder/patch_builder_dialog.h"
#include "app/widgets/busy_guard.h"
#include "app/widgets/file_paths.h"
#include "app/widgets/prompter.h"
#include "common/errors.h"
#include "common/file_io.h"
#include "enduser/exe_texts_files.h"
#include "enduser/resource_bundle.h"

namespace tarn {

namespace {

const QString kPutDataFailed =
    QStringLiteral("The following error occured while trying to put data in the executable:\r\n");

void errorBox(const QString& text, const QString& caption) {
    prompter().message(text, caption, MessageIcon::Error, MessageButtons::Ok);
}

QString what(const std::exception& e) {
    return QString::fromStdString(e.what());
}

// The end-user program may run on systems that honour the execute bits.
constexpr auto kProgramMode =
    std::filesystem::perms::owner_all | std::filesystem::perms::group_read |
    std::filesystem::perms::group_exec | std::filesystem::perms::others_read |
    std::filesystem::perms::others_exec;

}  // namespace

bool createEndUserExecutable(PatchBuilderDialog& settings, const std::vector<ObjectFile>& files,
                             const BuildFrontEnd& frontEnd) {
    if (prompter().runModal(settings) != QDialog::Accepted) {
        return false;
    }
    auto status = [&frontEnd](const char* text) {
        if (frontEnd.status) {
            frontEnd.status(QString::fromUtf8(text));
        }
        QApplication::processEvents();
    };
    bool created = false;
    try {
        BusyGuard guard(frontEnd.panel);
        const std::optional<Bytes> program =
            frontEnd.carriedProgram ? frontEnd.carriedProgram(settings.target()) : std::nullopt;
        if (!program) {
            errorBox(QStringLiteral("End-user translator resource isn't found!\r\n"
                                    "Your executable may be corrupt"),
                     QStringLiteral("Resource not found"));
            return false;
        }
        status("Writing executable file...");
        status("Preparing to append data...");
        EndUserOptions options = settings.options();
        if (const auto executables = settings.includedExecutables()) {
            try {
                options.exeTexts = carriedExeTextsOf(toFilePath(executables->original),
                                                     toFilePath(executables->translated),
                                                     executables->mayGrow);
            } catch (const FileError& e) {
                errorBox(QStringLiteral("The following error occured while trying to read the "
                                        "executable's texts:\r\n") +
                             what(e),
                         QStringLiteral("File read error"));
                status(kExecutableNotCreated);
                return false;
            }
        }
        Bytes built;
        try {
            status("Appending language data...");
            built = buildEndUserProgram(*program, files, options);
        } catch (const NoTextsError& e) {
            errorBox(what(e), QStringLiteral("No texts to carry"));
            status(kExecutableNotCreated);
            return false;
        } catch (const ResourceBundleError& e) {
            errorBox(kPutDataFailed + QStringLiteral("BeginUpdateResource:") + what(e),
                     QStringLiteral("Error preparing executable"));
            status(kExecutableNotCreated);
            return false;
        } catch (const std::runtime_error& e) {
            // Messages or texts that the attached layouts cannot hold: nothing is written.
            errorBox(kPutDataFailed + QStringLiteral("UpdateResource:") + what(e),
                     QStringLiteral("Error preparing executable"));
            status(kExecutableNotCreated);
            return false;
        }
        status("Saving attachments...");
        try {
            writeFileAtomically(toFilePath(settings.fileName()), built, kProgramMode);
        } catch (const FileError& e) {
            errorBox(QStringLiteral("The following error occured while trying to write the "
                                    "file:\r\n") +
                         what(e),
                     QStringLiteral("File write error"));
            status(kExecutableNotCreated);
            return false;
        }
        status(kExecutableCreated);
        created = true;
        if (frontEnd.created) {
            frontEnd.created(QDir::toNativeSeparators(settings.fileName()));
        }
    } catch (const std::exception& e) {
        // Anything else goes to the application's exception box, after the panel came back.
        if (frontEnd.status) {
            frontEnd.status(QString::fromUtf8(kExecutableNotCreated));
        }
        showExceptionMessage(what(e));
    }
    return created;
}

}  // namespace tarn
