// SPDX-License-Identifier: GPL-3.0-or-later
// The object texts window's checks: the findings tarntool's obj check reports, between a source
// and a target language ID asked once, shown as marks on the tree (on a group and on its file)
// and, for the shown group, in the status line. They follow every change of the texts.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

#include "app/objects/language_ids_question.h"
#include "app/objects/object_tree_model.h"
#include "objfiles/object_texts_check.h"

class QTimer;

namespace tarn {

class CodePage;
class ObjectTextsSession;

class ObjectWindowChecks : public QObject {
    Q_OBJECT
public:
    // All of these outlive the checks.
    ObjectWindowChecks(const ObjectTextsSession& session, const CodePage& codePage,
                       LanguageIdsQuestion& ids, std::function<void(const QString&)> showStatus,
                       QObject* parent);

    // By file and group; the tree reads its marks from here as it draws them.
    const GroupFindings& findings() const { return findings_; }
    // Findings beyond obj check's (the spelling), of the same pairs: a finding's text is its
    // pair's index + 1.
    using MoreFindings =
        std::function<std::vector<TextFinding>(const std::vector<ObjectTextPair>&)>;
    void setMoreFindings(MoreFindings more) { moreFindings_ = std::move(more); }
    // Asks the pair of IDs, then checks.
    void chooseCheckedIds();
    // Checks again once the event at hand is over (the code page changed).
    void checkSoon();
    // The shown group's findings in the status line.
    void showGroupFindings();

signals:
    void findingsChanged();

private:
    void runChecks();

    const ObjectTextsSession& session_;
    const CodePage& codePage_;
    LanguageIdsQuestion& ids_;
    std::function<void(const QString&)> showStatus_;
    MoreFindings moreFindings_;
    std::optional<LanguageIdPair> checkedIds_;  // once chosen
    GroupFindings findings_;
    QTimer* timer_;
};

}  // namespace tarn
