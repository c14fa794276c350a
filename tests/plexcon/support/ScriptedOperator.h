// The operator in tests: answers from a script and records every message it was shown.
#pragma once

#include <QString>
#include <QStringList>

#include <deque>
#include <vector>

#include "shell/Operator.h"

class ScriptedOperator : public Operator {
public:
    struct Shown {
        QString text;
        Icon icon;
    };

    void message(QWidget*, const QString& text, Icon icon) override { shown.push_back({text, icon}); }
    bool ask(QWidget*, const QString& text, Icon icon) override {
        shown.push_back({text, icon});
        if (answers.empty()) return false;
        bool a = answers.front();
        answers.pop_front();
        return a;
    }
    bool askPassword(QWidget*, QString& password) override {
        ++passwordQuestions;
        if (passwords.empty()) return false;  // nothing scripted: the operator cancels
        password = passwords.front();
        passwords.pop_front();
        return true;
    }
    QString chooseFile(QWidget*, const QString&) override {
        if (files.empty()) return {};
        QString f = files.front();
        files.pop_front();
        return f;
    }

    QString chooseSaveFile(QWidget*, const QString&, const QString&) override {
        if (saveFiles.empty()) return {};
        QString f = saveFiles.front();
        saveFiles.pop_front();
        return f;
    }

    QString lastText() const { return shown.empty() ? QString() : shown.back().text; }
    Icon lastIcon() const { return shown.empty() ? Icon::Information : shown.back().icon; }
    void clear() { shown.clear(); }

    std::vector<Shown> shown;
    std::deque<bool> answers;
    std::deque<QString> passwords;
    std::deque<QString> files;
    std::deque<QString> saveFiles;
    int passwordQuestions = 0;
};
