#pragma once

#include "transport/UserDialogs.h"

#include <QList>
#include <QString>

#include <deque>
#include <optional>

namespace testsupport {

// Answers dialogs from a script and records what was asked, so tests can check exact texts.
// An unscripted message is answered with its first button (Cancel/nothing for choosers).
class ScriptedDialogs : public transport::UserDialogs {
public:
    struct Shown {
        Kind kind;
        QString text;
        QList<Button> buttons;
    };

    void answerNext(Button b) { m_answers.push_back(b); }
    void answerPickNext(std::optional<int> index)
    {
        m_picks.push_back({index.has_value(), index.value_or(-1)});
    }
    void answerFileNext(std::optional<QString> path)
    {
        m_files.push_back({path.has_value(), path.value_or(QString())});
    }

    QList<Shown> shown;
    QList<PortChoice> pickShown;
    QList<FileChoice> saveShown;
    QList<FileChoice> openShown;

    QStringList texts() const
    {
        QStringList t;
        for (const auto &s : shown)
            t << s.text;
        return t;
    }

    Button message(Kind kind, const QString &text, const QList<Button> &buttons) override
    {
        shown.push_back({kind, text, buttons});
        if (!m_answers.empty()) {
            Button b = m_answers.front();
            m_answers.pop_front();
            return b;
        }
        return buttons.isEmpty() ? Button::Ok : buttons.front();
    }

    std::optional<int> pickPort(const PortChoice &choice) override
    {
        pickShown.push_back(choice);
        return pop(m_picks);
    }
    std::optional<QString> saveFile(const FileChoice &choice) override
    {
        saveShown.push_back(choice);
        return pop(m_files);
    }
    std::optional<QString> openFile(const FileChoice &choice) override
    {
        openShown.push_back(choice);
        return pop(m_files);
    }

private:
    // Answers are kept as (given, value) pairs rather than optionals: copying an optional
    // QString out of a deque trips a false "maybe uninitialized" warning in GCC 12.
    template <typename T> static std::optional<T> pop(std::deque<std::pair<bool, T>> &q)
    {
        if (q.empty())
            return std::nullopt;
        const std::pair<bool, T> v = q.front();
        q.pop_front();
        if (!v.first)
            return std::nullopt;
        return v.second;
    }

    std::deque<Button> m_answers;
    std::deque<std::pair<bool, int>> m_picks;
    std::deque<std::pair<bool, QString>> m_files;
};

} // namespace testsupport
