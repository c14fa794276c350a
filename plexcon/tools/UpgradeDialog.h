// The firmware upgrade dialog the two families share ("固件升级"): pick an image, check it, keep the module's
// configuration (in memory and in a file in the log folder), send the image on a worker with real progress and
// the time left, and after a successful upgrade offer to write the configuration back and read it again to
// confirm. The family dialogs (CDlgUpgradeCel, CDlgUpgradeOrlnet) supply the library calls.
//
// The worker runs the one blocking upgrade call under the library lock and shares only atomics with the dialog,
// which polls them every 200 ms. "升级", "浏览..." and "退出" stay disabled while it runs; closing the dialog then
// asks the operator, requests the stop and waits for the worker.
#pragma once

#include <QByteArray>
#include <QDialog>
#include <QElapsedTimer>

#include <atomic>
#include <string>
#include <thread>

#include "radlink.h"
#include "shell/ShellContext.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTimer;

class UpgradeDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kLocalTarget = 0xFF;
    static constexpr int kTickMs = 200;

    ~UpgradeDialog() override;

    // Set by the opening page: 0xFF for the local module, else the remote module's index in the search list; the
    // run state, network address and control word handed to the library.
    void setTarget(int target, int runState, int address, int controlWord);

    QLineEdit* pathField() const { return path_; }
    QPushButton* browseButton() const { return browse_; }
    QPushButton* upgradeButton() const { return upgrade_; }
    QPushButton* exitButton() const { return exit_; }
    QProgressBar* progressBar() const { return bar_; }
    QLabel* progressText() const { return progressText_; }
    bool running() const { return worker_.joinable(); }
    // The configuration kept before the last transfer (empty when it could not be read), and its file.
    const QByteArray& keptConfiguration() const { return kept_; }
    const QString& keptConfigurationFile() const { return keptFile_; }

    void browse();
    void startUpgrade();

protected:
    // The family's upgrade with progress (RADLINK_CEL_UpdateWithProgress or RADLINK_ORLNET_UpdateWithProgress).
    using UpgradeCall = int (*)(int index, const char* path, int runState, int address, int controlWord,
                                RADLINK_UpgradeProgress progress, void* context);

    UpgradeDialog(const ShellContext& context, const QString& family, UpgradeCall upgrade, QWidget* parent);

    // ---- the family's configuration calls; index is -1 for the local module
    // The module's configuration record, empty when it could not be read. UI thread, under the lock.
    virtual QByteArray readConfiguration(int index) = 0;
    // Writes `record` back to the module; true when it took it. UI thread, under the lock.
    virtual bool writeConfiguration(int index, const QByteArray& record) = 0;
    // How many leading record bytes the module stores (compared after writing back).
    virtual int configurationBytes() const = 0;

    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Shared with the worker; the worker is joined before the dialog goes.
    struct Transfer {
        std::atomic<int> accepted{0};
        std::atomic<int> total{0};
        std::atomic<bool> stopRequested{false};
        std::atomic<bool> finished{false};
        std::atomic<int> result{RADLINK_UPGRADE_FAILED};
    };
    static int OnProgress(void* context, int accepted, int total);

    int libraryIndex() const { return target_ == kLocalTarget ? -1 : target_; }
    // Checks the image and the target without sending anything: RADLINK_UPGRADE_STOPPED when both are usable.
    int checkImage(const QByteArray& path);
    bool keepConfiguration();
    void tick();
    void finish();
    void restoreConfiguration();
    void stopWorker();
    void setIdle(bool idle);
    QString refusal(int result) const;

    ShellContext context_;
    QString family_;
    UpgradeCall upgradeCall_;
    int target_ = kLocalTarget;
    int runState_ = 0;
    int address_ = 0;
    int controlWord_ = 0;

    QLineEdit* path_ = nullptr;
    QPushButton* browse_ = nullptr;
    QPushButton* upgrade_ = nullptr;
    QPushButton* exit_ = nullptr;
    QProgressBar* bar_ = nullptr;
    QLabel* progressText_ = nullptr;
    QTimer* timer_ = nullptr;

    Transfer transfer_;
    std::thread worker_;
    QElapsedTimer elapsed_;
    QByteArray kept_;
    QString keptFile_;
};
