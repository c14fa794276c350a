// The self-closing wait dialog: "正在执行，请稍候……" above a bar. The owner sets the bounds before opening it,
// shows it modally and advances the bar from its worker; twice a second the dialog checks the bar and closes
// itself (accepted) once it has reached the upper bound. The operator may close it earlier (rejected).
#pragma once

#include <QDialog>

#include <atomic>

class QProgressBar;
class QTimer;

class CProgressDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTickMs = 500;

    explicit CProgressDlg(QWidget* parent = nullptr);

    // Bounds of the bar (default 0 and 50); taken when the dialog opens.
    void setRange(int lower, int upper);
    // Safe from any thread: the value goes through an atomic and the bar follows it on the dialog's thread, so
    // nothing but the atomic crosses threads; the dialog must outlive the caller's last call (a worker is joined
    // before the dialog goes).
    void setPosition(int position);
    void step();

    int position() const;

    void done(int result) override;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void tick();
    // Shows the latest position (queued from setPosition and step).
    Q_INVOKABLE void applyPosition();

    int lower_ = 0;
    int upper_ = 50;
    // The position set from any thread; -1 until the first set or step after opening.
    std::atomic<int> pending_{-1};
    QProgressBar* bar_ = nullptr;
    QTimer* timer_ = nullptr;
};
