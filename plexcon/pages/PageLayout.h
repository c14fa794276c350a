// The layout the configuration pages share: their fields at the top, their command buttons in a row at the
// bottom right.
#pragma once

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

#include <initializer_list>

inline void LayOutPage(QWidget* page, QLayout* fields, std::initializer_list<QPushButton*> buttons) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QPushButton* b : buttons) {
        b->setMinimumSize(110, 30);
        row->addWidget(b);
    }
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(14, 12, 14, 12);
    column->addLayout(fields);
    column->addStretch();
    column->addLayout(row);
}
