// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/objects/object_window_checks.h"

#include <QStringList>
#include <QTimer>
#include <utility>

#include "app/objects/object_texts_session.h"
#include "objfiles/object_texts_check.h"
#include "textcodes/translation_checks.h"

namespace tarn {

ObjectWindowChecks::ObjectWindowChecks(const ObjectTextsSession& session, const CodePage& codePage,
                                       LanguageIdsQuestion& ids,
                                       std::function<void(const QString&)> showStatus,
                                       QObject* parent)
    : QObject(parent),
      session_(session),
      codePage_(codePage),
      ids_(ids),
      showStatus_(std::move(showStatus)),
      timer_(new QTimer(this)) {
    timer_->setSingleShot(true);
    connect(timer_, &QTimer::timeout, this, &ObjectWindowChecks::runChecks);
    connect(&session, &GameTextsSession::textsChanged, this, &ObjectWindowChecks::checkSoon);
}

void ObjectWindowChecks::chooseCheckedIds() {
    if (const std::optional<LanguageIdPair> ids = ids_.askChecks(checkedIds_)) {
        checkedIds_ = ids;
        runChecks();
    }
}

void ObjectWindowChecks::checkSoon() {
    if (checkedIds_) {
        timer_->start(0);  // once for all the changes of one event
    }
}

void ObjectWindowChecks::runChecks() {
    findings_.clear();
    if (!checkedIds_) {
        return;
    }
    const std::vector<ObjectFile>& files = session_.document().files();
    const std::vector<ObjectTextPair> pairs =
        objectTextPairs(files, static_cast<std::uint8_t>(checkedIds_->first),
                        static_cast<std::uint8_t>(checkedIds_->second));
    std::vector<TextFinding> all = checkObjectTexts(files, pairs, byteCharacters(codePage_));
    if (moreFindings_) {
        for (TextFinding& more : moreFindings_(pairs)) {
            all.push_back(std::move(more));
        }
    }
    for (TextFinding& found : all) {
        const ObjectTextPair& pair = pairs[static_cast<std::size_t>(found.text - 1)];
        findings_[{pair.file, pair.group}].push_back(std::move(found.finding));
    }
    emit findingsChanged();
    showGroupFindings();
}

void ObjectWindowChecks::showGroupFindings() {
    const ObjectGroupRows& shown = session_.groupRows();
    if (!checkedIds_ || shown.group() < 0) {
        return;
    }
    const auto found = findings_.find(
        {static_cast<std::size_t>(shown.file()), static_cast<std::size_t>(shown.group())});
    if (found == findings_.end()) {
        showStatus_(QStringLiteral("Checks (%1 against %2): no findings")
                        .arg(checkedIds_->second)
                        .arg(checkedIds_->first));
        return;
    }
    QStringList lines;
    for (const CheckFinding& finding : found->second) {
        lines.append(findingLine(finding));
    }
    showStatus_(QStringLiteral("Checks (%1 against %2): %3")
                    .arg(checkedIds_->second)
                    .arg(checkedIds_->first)
                    .arg(lines.join(QStringLiteral("; "))));
}

}  // namespace tarn
