#pragma once

#include <deque>
#include <vector>

#include <QString>

#include "core/host/SaveFileDialog.h"

namespace veskar::test {

/// Answers the save dialog from a queue of paths (an empty text is a cancel); once the queue
/// is empty every further dialog is cancelled. Keeps every request it was shown.
class FakeSaveFileDialog : public SaveFileDialog {
public:
    QString AskSavePath(const Request& request) override {
        requests.push_back(request);
        if (answers.empty()) {
            return {};
        }
        QString answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::deque<QString> answers;
    std::vector<Request> requests;
};

} // namespace veskar::test
