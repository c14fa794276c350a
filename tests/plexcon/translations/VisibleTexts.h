// What an operator reads on the screen: every text of the visible widgets under a window, for the check that none
// of them is still Chinese once the English catalogue is installed.
#pragma once

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractAxis>
#include <QAbstractSeries>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTabBar>
#include <QTextEdit>

namespace translationtest {

// Han characters and the CJK and full-width punctuation ("，", "：", "！", "（").
inline bool HasChinese(const QString& text) {
    static const QRegularExpression cjk(
        QStringLiteral("[\\x{3000}-\\x{303F}\\x{3400}-\\x{4DBF}\\x{4E00}-\\x{9FFF}\\x{FF00}-\\x{FFEF}]"));
    return text.contains(cjk);
}

// Collects the Chinese texts of visible widgets, each with where it was seen. The simulated modules' own data
// (names, addresses) is ASCII, so field contents and list rows are checked too.
class ChineseTexts {
public:
    void scan(const QWidget* root) {
        QList<const QWidget*> widgets{root};
        for (const QWidget* w : root->findChildren<QWidget*>()) widgets << w;
        for (const QWidget* w : widgets)
            if (w->isVisible()) scanWidget(w);
    }
    void check(const QString& where, const QString& text) {
        if (HasChinese(text)) found_ << where + QStringLiteral(": ") + text;
    }
    const QStringList& found() const { return found_; }
    QString report() const { return found_.join(QLatin1Char('\n')); }

private:
    void scanWidget(const QWidget* w) {
        const QString where = QString::fromLatin1(w->metaObject()->className());
        if (w->isWindow()) check(where + QStringLiteral(" title"), w->windowTitle());
        check(where + QStringLiteral(" accessible name"), w->accessibleName());
        check(where + QStringLiteral(" tool tip"), w->toolTip());
        if (auto* l = qobject_cast<const QLabel*>(w)) check(where, l->text());
        if (auto* b = qobject_cast<const QAbstractButton*>(w)) check(where, b->text());
        if (auto* g = qobject_cast<const QGroupBox*>(w)) check(where, g->title());
        if (auto* e = qobject_cast<const QLineEdit*>(w)) {
            check(where, e->text());
            check(where + QStringLiteral(" placeholder"), e->placeholderText());
        }
        if (auto* e = qobject_cast<const QTextEdit*>(w)) check(where, e->toPlainText());
        if (auto* e = qobject_cast<const QPlainTextEdit*>(w)) check(where, e->toPlainText());
        if (auto* t = qobject_cast<const QTabBar*>(w))
            for (int i = 0; i < t->count(); ++i) check(where, t->tabText(i));
        if (auto* c = qobject_cast<const QComboBox*>(w))
            for (int i = 0; i < c->count(); ++i) check(where + QStringLiteral(" item"), c->itemText(i));
        if (auto* v = qobject_cast<const QAbstractItemView*>(w); v && v->model()) scanModel(where, v->model(), {});
        if (auto* c = qobject_cast<const QChartView*>(w)) {
            check(where, c->chart()->title());
            for (const QAbstractAxis* axis : c->chart()->axes())
                check(where + QStringLiteral(" axis"), axis->titleText());
            for (const QAbstractSeries* s : c->chart()->series()) check(where + QStringLiteral(" series"), s->name());
        }
    }
    void scanModel(const QString& where, const QAbstractItemModel* model, const QModelIndex& parent) {
        if (!parent.isValid()) {
            for (int c = 0; c < model->columnCount(); ++c)
                check(where + QStringLiteral(" header"), model->headerData(c, Qt::Horizontal).toString());
        }
        for (int r = 0; r < model->rowCount(parent); ++r)
            for (int c = 0; c < model->columnCount(parent); ++c) {
                const QModelIndex index = model->index(r, c, parent);
                check(where + QStringLiteral(" item"), index.data().toString());
                if (c == 0 && model->hasChildren(index)) scanModel(where, model, index);
            }
    }

    QStringList found_;
};

}  // namespace translationtest
