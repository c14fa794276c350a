#include "pages/CPageDevIOCel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

#include "shell/CPanViewCel.h"
#include "shell/LibraryCall.h"

using Icon = Operator::Icon;
using namespace std::chrono_literals;

namespace {

QString Level(int value) {
    if (value < 0) return QStringLiteral("-");
    return value ? QObject::tr("高") : QObject::tr("低");
}

}  // namespace

CPageDevIOCel::CPageDevIOCel(CPanViewCel* panel) : panel_(panel) {
    for (auto& v : inputValues_) v.store(-1);
    for (auto& v : outputValues_) v.store(-1);

    auto* pins = new QLabel(QStringLiteral("  <0>     <1>     <2>     <3>    (4)     (5)      (6)     (7)"));
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->addWidget(new QLabel(tr("方向")), 0, 0);
    for (int i = 0; i < 6; ++i) {
        directions_[i] = new QLabel(QStringLiteral("-"));
        directions_[i]->setAccessibleName(tr("IO方向%1").arg(i + 2));
        grid->addWidget(directions_[i], 0, i + 3);
    }
    grid->addWidget(new QLabel(tr("输出")), 1, 0);
    for (int i = 0; i < 2; ++i) {
        outputs_[i] = new QLabel(QStringLiteral("-"));
        outputs_[i]->setAccessibleName(tr("输出<%1>").arg(kOutputPins[i]));
        grid->addWidget(outputs_[i], 1, kOutputPins[i] + 1);
    }
    grid->addWidget(new QLabel(tr("输入")), 2, 0);
    for (int i = 0; i < 4; ++i) {
        inputs_[i] = new QLabel(QStringLiteral("-"));
        inputs_[i]->setAccessibleName(tr("输入(%1)").arg(kInputPins[i]));
        grid->addWidget(inputs_[i], 2, kInputPins[i] + 1);
    }

    autoRefresh_ = new QCheckBox(tr("自动刷新"));
    cycleOutputs_ = new QCheckBox(tr("循环交替输出"));
    period_ = new QSpinBox;
    period_->setRange(1, 60000);
    period_->setValue(100);
    auto* periodLabel = new QLabel(tr("周期(ms)"));
    periodLabel->setBuddy(period_);
    auto* allInputs = new QPushButton(tr("全部配置成输入"));
    auto* allOutputs = new QPushButton(tr("全部配置成输出"));

    auto* modes = new QHBoxLayout;
    modes->addWidget(autoRefresh_);
    modes->addWidget(periodLabel);
    modes->addWidget(period_);
    modes->addSpacing(20);
    modes->addWidget(cycleOutputs_);
    modes->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(allInputs);
    buttons->addWidget(allOutputs);
    buttons->addStretch();
    auto* note = new QLabel(tr("对应着评估版的两个LED指示灯<2>,<3>；和4个按钮(4),(5),(6)(7)，有两个指示灯<0>,<1>被评估板用做收发数据的指示灯"));
    note->setWordWrap(true);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(14, 12, 14, 12);
    column->addWidget(pins);
    column->addLayout(grid);
    column->addLayout(modes);
    column->addLayout(buttons);
    column->addWidget(note);
    column->addStretch();

    redraw_ = new QTimer(this);
    redraw_->setInterval(kRedrawMs);
    connect(redraw_, &QTimer::timeout, this, &CPageDevIOCel::redraw);
    connect(autoRefresh_, &QCheckBox::clicked, this, [this] { modeClicked(autoRefresh_); });
    connect(cycleOutputs_, &QCheckBox::clicked, this, [this] { modeClicked(cycleOutputs_); });
    connect(allInputs, &QPushButton::clicked, this, [this] { setAllDirections(0); });
    connect(allOutputs, &QPushButton::clicked, this, [this] { setAllDirections(1); });
}

CPageDevIOCel::~CPageDevIOCel() { worker_.stop(); }

void CPageDevIOCel::setAllDirections(int direction) {
    Operator& op = panel_->op();
    if (!PortIsOpen()) {
        op.message(this, tr("操作失败，串口未打开!"), Icon::Warning);
        return;
    }
    int done = 0;
    if (panel_->remoteMode()) {
        const int index = panel_->selectedRemote();
        if (index < 0) {
            op.message(this, CPanViewCel::NoSelectionMessage(), Icon::Critical);
            return;
        }
        done = BusyLibraryCall([&] { return QVZB_CEL_SetIODirAllRemote(direction, index); });
    } else {
        done = BusyLibraryCall([&] { return QVZB_CEL_SetIODirAllLocal(direction); });
    }
    if (!done) {
        op.message(this, tr("修改IO输入输出方向出错!"), Icon::Warning);
        return;
    }
    for (QLabel* d : directions_) d->setText(direction == 1 ? tr("输出") : tr("输入"));
}

void CPageDevIOCel::takeValues() {
    periodMs_.store(period_->value());
    cycleMode_.store(cycleOutputs_->isChecked());
    publishTarget();
}

void CPageDevIOCel::publishTarget() {
    target_.store(polltarget::Of(panel_->remoteMode(), panel_->selectedRemote()));
}

void CPageDevIOCel::modeClicked(QCheckBox* box) {
    QCheckBox* other = box == autoRefresh_ ? cycleOutputs_ : autoRefresh_;
    if (box->isChecked() && other->isChecked()) {
        panel_->op().message(this, tr("IO 读取线程正在运行，请先停止IO获取再做此操作..."), Icon::Critical);
        box->setChecked(false);
        return;
    }
    takeValues();
    if (box->isChecked()) startWorker();
    else stopWorker();
}

void CPageDevIOCel::startWorker() {
    redraw_->start();
    worker_.start([this] { round(); });
}

void CPageDevIOCel::stopWorker() {
    worker_.stop();
    redraw_->stop();
    redraw();
}

void CPageDevIOCel::round() {
    const int target = target_.load();
    if (target == polltarget::kNoneSelected) {
        worker_.pause(std::chrono::milliseconds(kIdleMs));
        return;
    }
    // One library call at a time, so that the pages in front are held up for one exchange at most.
    if (cycleMode_.load()) {
        const int level = outputLevel_.load();
        for (int i = 0; i < 2 && worker_.keepGoing(); ++i) {
            const int pin = kOutputPins[i];
            WithLibrary([&] {
                return target == polltarget::kLocal ? QVZB_CEL_SetIOValueLocal(level, pin)
                                                    : QVZB_CEL_SetIOValueRemote(level, pin, target);
            });
            outputValues_[i].store(level);
        }
    } else {
        for (int i = 0; i < 4 && worker_.keepGoing(); ++i) {
            const int pin = kInputPins[i];
            const int value = WithLibrary([&] {
                return target == polltarget::kLocal ? QVZB_CEL_GetIOvalueLocal(pin)
                                                    : QVZB_CEL_GetIOvalueRemote(pin, target);
            });
            inputValues_[i].store(value);
        }
    }
    outputLevel_.store(outputLevel_.load() ? 0 : 1);
    worker_.pause(std::chrono::milliseconds(periodMs_.load()));
}

void CPageDevIOCel::redraw() {
    publishTarget();
    for (int i = 0; i < 4; ++i) inputs_[i]->setText(Level(inputValues_[i].load()));
    for (int i = 0; i < 2; ++i) outputs_[i]->setText(Level(outputValues_[i].load()));
}
