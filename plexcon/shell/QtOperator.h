// The operator of the running program: Qt message boxes, the password question, the file dialog.
#pragma once

#include "shell/Operator.h"

class QtOperator : public Operator {
public:
    void message(QWidget* parent, const QString& text, Icon icon) override;
    bool ask(QWidget* parent, const QString& text, Icon icon) override;
    bool askPassword(QWidget* parent, QString& password) override;
    QString chooseFile(QWidget* parent, const QString& filter) override;
    QString chooseSaveFile(QWidget* parent, const QString& filter, const QString& suggested) override;
};
