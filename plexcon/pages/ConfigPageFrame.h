// The frame of a configuration page: a two-column grid of labelled fields (each label the buddy of its field)
// above the page's two command buttons at the bottom right.
#pragma once

#include <QWidget>

class Operator;
class QGridLayout;
class QLabel;
class QPushButton;

class ConfigPageFrame : public QWidget {
    Q_OBJECT
public:
    QPushButton* getButton() const { return get_; }
    QPushButton* modifyButton() const { return modify_; }

protected:
    ConfigPageFrame(const QString& getCaption, const QString& modifyCaption);

    QGridLayout* fields() const { return grid_; }
    // A field in column 0 or 1 of the grid, with its label before it.
    QLabel* addField(int row, int column, const QString& caption, QWidget* field);
    // A text beside a field (its range).
    void addHint(int row, int column, const QString& text);
    // How a get command ends after its read: 0 `failed`, 1 "获取设备信息成功...", 2 nothing (the read said why).
    void reportRead(Operator& op, int result, const QString& failed);

private:
    QGridLayout* grid_ = nullptr;
    QPushButton* get_ = nullptr;
    QPushButton* modify_ = nullptr;
};
