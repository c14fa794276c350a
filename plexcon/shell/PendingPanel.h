// A family panel whose device lists and configuration pages are not built yet says so on the screen.
#pragma once

#include <QString>

class QWidget;

void ShowPendingNotice(QWidget* panel, const QString& family);
