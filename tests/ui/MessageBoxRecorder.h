#pragma once

#include "MessageBox.h"

#include <QList>

// Answers every message box instead of a person: questions with the next queued answer
// (No when none is queued), and keeps what was shown.
class MessageBoxRecorder {
public:
    using Box = tarvok::MessageBox::Shown;
    using Answer = tarvok::MessageBox::Answer;

    MessageBoxRecorder() {
        tarvok::MessageBox::setHandler([this](const Box& box) {
            shown.append(box);
            if (box.icon != tarvok::MessageBox::Icon::Question)
                return Answer::Ok;
            return answers.isEmpty() ? Answer::No : answers.takeFirst();
        });
    }
    ~MessageBoxRecorder() { tarvok::MessageBox::setHandler({}); }
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    QList<Box> shown;
    QList<Answer> answers;
};
