// Finds controls the way an operator does: by the caption on a button, the label beside a field, or the name
// assistive technology reads.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace testsupport {

// A source text as the installed catalogue gives it: the caption the operator sees in the chosen language.
inline QString Caption(const char* context, const char* source) {
    return QCoreApplication::translate(context, source);
}

inline QAbstractButton* Button(const QWidget* root, const QString& caption) {
    for (auto* b : root->findChildren<QAbstractButton*>())
        if (b->text() == caption) return b;
    return nullptr;
}

// The field a label with this caption belongs to (its buddy).
template <typename T = QWidget>
T* Field(const QWidget* root, const QString& caption) {
    for (auto* l : root->findChildren<QLabel*>())
        if (l->text() == caption && l->buddy()) return qobject_cast<T*>(l->buddy());
    return nullptr;
}

template <typename T = QWidget>
T* Named(const QWidget* root, const QString& accessibleName) {
    for (auto* w : root->findChildren<T*>())
        if (w->accessibleName() == accessibleName) return w;
    return nullptr;
}

// Runs act on the next modal dialog as soon as it is up (for code that calls exec()).
inline void WhenModal(std::function<void(QWidget*)> act) {
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            act(modal);
        }
    });
    timer->start();
}

}  // namespace testsupport
