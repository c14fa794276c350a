#include "shell/CPlexconCELDlg.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QButtonGroup>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/CPanViewCel.h"
#include "shell/CPanViewHelp.h"
#include "shell/CPanViewOrlnet.h"
#include "shell/CPanViewPcCom.h"
#include "shell/CPanViewSample.h"
#include "shell/CPanViewSnap.h"
#include "tools/LibusbBridge.h"

namespace {

const char* const kCaptions[CPlexconCELDlg::kPanelCount] = {
    QT_TRANSLATE_NOOP("CPlexconCELDlg", "串口"),     QT_TRANSLATE_NOOP("CPlexconCELDlg", "SNAP"),
    QT_TRANSLATE_NOOP("CPlexconCELDlg", "VNET"),     QT_TRANSLATE_NOOP("CPlexconCELDlg", "应用案例"),
    QT_TRANSLATE_NOOP("CPlexconCELDlg", "帮助"),     QT_TRANSLATE_NOOP("CPlexconCELDlg", "ORLNET"),
    QT_TRANSLATE_NOOP("CPlexconCELDlg", "Quickmesh"), QT_TRANSLATE_NOOP("CPlexconCELDlg", "LowPower")};
// Left to right on the bar; the hidden buttons come last.
constexpr int kBarOrder[CPlexconCELDlg::kPanelCount] = {
    CPlexconCELDlg::SerialPort, CPlexconCELDlg::Quickmesh, CPlexconCELDlg::LowPower, CPlexconCELDlg::Vnet,
    CPlexconCELDlg::Help,       CPlexconCELDlg::Sample,    CPlexconCELDlg::Snap,     CPlexconCELDlg::Orlnet};

const char* const kBarStyle = R"(
#navigationBar { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #24405e, stop:1 #1b3249); }
#navigationBar QPushButton { color: #dce6f0; background: transparent; border: none; border-radius: 6px;
    padding: 6px 14px; font-size: 11pt; }
#navigationBar QPushButton:hover { background: rgba(255, 255, 255, 0.10); }
#navigationBar QPushButton:checked { color: white; background: #3b7dc4; }
#navigationBar QFrame { color: rgba(255, 255, 255, 0.18); }
)";

// Keeps every panel, shown or hidden, on the whole content area.
class ContentArea : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void resizeEvent(QResizeEvent*) override {
        for (QObject* child : children())
            if (auto* w = qobject_cast<QWidget*>(child)) w->setGeometry(rect());
    }
};

QIcon ProgramIcon() {
    QPixmap pixmap(64, 64);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0x3b, 0x7d, 0xc4));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
    p.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    for (int r : {12, 22, 32}) p.drawArc(QRectF(14 - r, 50 - r, 2 * r, 2 * r), 0, 90 * 16);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(14, 50), 4, 4);
    return QIcon(pixmap);
}

}  // namespace

CPlexconCELDlg::CPlexconCELDlg(const ShellContext& context, QWidget* parent) : QWidget(parent), context_(context) {
    setWindowTitle(QStringLiteral("ZigBee"));
    setWindowIcon(ProgramIcon());
    if (!context_.usbBridge) {
        usbBridge_ = MakeLibusbBridge();
        context_.usbBridge = usbBridge_.get();
    }

    contentArea_ = new ContentArea;
    contentArea_->setObjectName(QStringLiteral("contentArea"));
    panels_ = {new CPanViewPcCom(context_, contentArea_), new CPanViewSnap(context_, contentArea_),
               new CPanViewCel(context_, contentArea_),   new CPanViewSample(contentArea_),
               new CPanViewHelp(contentArea_),            new CPanViewOrlnet(context_, contentArea_),
               new CPanViewCel_Change(context_, contentArea_), new CPanViewCelLowPower(context_, contentArea_)};
    for (QWidget* p : panels_) {
        p->hide();
        p->setGeometry(contentArea_->rect());
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buildNavigationBar());
    layout->addWidget(contentArea_, 1);

    if (!context_.showHidden) {
        buttons_[Snap]->hide();
        buttons_[Orlnet]->hide();
    }
    buttons_[Sample]->hide();
    showPanel(SerialPort);
    resize(1200, 720);
}

CPlexconCELDlg::~CPlexconCELDlg() {
    // The panels go first (the serial port panel saves its settings and closes the port), then the bridge.
    for (QWidget*& p : panels_) {
        delete p;
        p = nullptr;
    }
}

QWidget* CPlexconCELDlg::buildNavigationBar() {
    auto* bar = new QWidget;
    bar->setObjectName(QStringLiteral("navigationBar"));
    bar->setAttribute(Qt::WA_StyledBackground);
    bar->setStyleSheet(QString::fromUtf8(kBarStyle));
    bar->setAccessibleName(tr("导航"));
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(12, 10, 12, 10);
    row->setSpacing(6);
    auto* group = new QButtonGroup(bar);  // exclusive: the selected mark is on one button only
    for (int i = 0; i < kPanelCount; ++i) {
        auto* b = new QPushButton(tr(kCaptions[i]));
        b->setCheckable(true);
        b->setFlat(true);
        b->setFocusPolicy(Qt::TabFocus);
        b->setMinimumSize(96, 48);
        b->setCursor(Qt::PointingHandCursor);
        group->addButton(b, i);
        // A click shows the panel, also the one already shown; assistive technology may toggle instead.
        connect(b, &QPushButton::clicked, this, [this, i] { showPanel(i); });
        connect(b, &QPushButton::toggled, this, [this, i](bool on) {
            if (on && current_ != i) showPanel(i);
        });
        buttons_[static_cast<size_t>(i)] = b;
    }
    for (int n = 0; n < kPanelCount; ++n) {
        if (n > 0 && n < 5) {  // thin separators between the visible buttons
            auto* line = new QFrame;
            line->setFrameShape(QFrame::VLine);
            line->setFixedHeight(28);
            row->addWidget(line);
        }
        row->addWidget(buttons_[static_cast<size_t>(kBarOrder[n])]);
    }
    row->addStretch();
    return bar;
}

void CPlexconCELDlg::showPanel(int index) {
    if (index < 0 || index >= kPanelCount) return;
    for (QWidget* p : panels_) p->hide();
    current_ = index;
    buttons_[static_cast<size_t>(index)]->setChecked(true);
    panels_[static_cast<size_t>(index)]->show();
    update();
}

QRect CPlexconCELDlg::contentRect() const {
    return QRect(contentArea_->mapTo(this, QPoint(0, 0)), contentArea_->size());
}

void CPlexconCELDlg::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Escape: close(); return;
        case Qt::Key_Return:
        case Qt::Key_Enter: return;  // Enter does nothing in the main window
        default: QWidget::keyPressEvent(event);
    }
}
