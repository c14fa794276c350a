// The application examples panel: one page of formatted text about using the program (its button is hidden).
#pragma once

#include <QWidget>

class CPanViewSample : public QWidget {
    Q_OBJECT
public:
    explicit CPanViewSample(QWidget* parent = nullptr);
};
