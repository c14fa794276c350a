#include "tools/CPageTranData.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cctype>
#include <cstdlib>

#include "radlink.h"
#include "shell/CPanViewOrlnet.h"
#include "shell/LibraryCall.h"

namespace {

constexpr int kReceiveWaitMs = 1500;

}  // namespace

CPageTranData::CPageTranData(CPanViewOrlnet* panel) : panel_(panel) {
    address_ = new QLineEdit;
    data_ = new QLineEdit;
    received_ = new QLineEdit;
    received_->setReadOnly(true);
    status_ = new QLineEdit;
    status_->setReadOnly(true);
    auto* form = new QFormLayout;
    form->addRow(tr("地址(hex)"), address_);
    form->addRow(tr("数据(hex)"), data_);
    form->addRow(tr("接收(hex)"), received_);
    form->addRow(tr("状态(hex)"), status_);

    auto* clear = new QPushButton(tr("清空"));
    auto* receive = new QPushButton(tr("接收"));
    auto* send = new QPushButton(tr("发送"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {clear, receive, send}) {
        b->setMinimumSize(90, 30);
        buttons->addWidget(b);
    }
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(14, 12, 14, 12);
    column->addLayout(form);
    column->addLayout(buttons);
    column->addStretch();

    connect(clear, &QPushButton::clicked, this, &CPageTranData::clearCommand);
    connect(receive, &QPushButton::clicked, this, &CPageTranData::receiveCommand);
    connect(send, &QPushButton::clicked, this, &CPageTranData::sendCommand);
}

QByteArray CPageTranData::ParseData(const QString& text) {
    QByteArray bytes;
    char previous = 0;
    for (const QString& token : text.split(u' ', Qt::SkipEmptyParts)) {
        if (bytes.size() >= kBufferSize) break;
        const QByteArray latin = token.toLatin1();
        char* end = nullptr;
        const unsigned long v = std::strtoul(latin.constData(), &end, 16);
        // strtoul skips signs and blanks; a token must itself begin with a hexadecimal digit.
        const bool number = end != latin.constData() && std::isxdigit(static_cast<unsigned char>(latin[0]));
        if (number) previous = static_cast<char>(v & 0xFF);
        bytes.append(previous);
    }
    return bytes;
}

QString CPageTranData::BytesText(const QByteArray& bytes) {
    QString text;
    for (char b : bytes) text += QStringLiteral("%1 ").arg(static_cast<unsigned char>(b), 2, 16, QLatin1Char('0')).toUpper();
    return text;
}

void CPageTranData::showOutcome(int result) { status_->setText(result == 1 ? tr("操作成功!") : tr("操作失败!")); }

void CPageTranData::sendCommand() {
    bool ok = false;
    int address = address_->text().trimmed().toInt(&ok, 16);
    if (!ok) address = 0;
    const QByteArray bytes = ParseData(data_->text());
    unsigned char answer[kBufferSize] = {};
    unsigned char answerLength = 0;
    const int result = BusyLibraryCall([&] {
        return QVZB_ORLNET_SendData(address, reinterpret_cast<const unsigned char*>(bytes.constData()),
                                    static_cast<int>(bytes.size()), answer, kBufferSize, &answerLength);
    });
    if (answerLength > 0) received_->setText(BytesText(QByteArray(reinterpret_cast<const char*>(answer), answerLength)));
    showOutcome(result);
}

void CPageTranData::receiveCommand() {
    unsigned char buffer[kBufferSize] = {};
    unsigned int count = 0;
    const int result = BusyLibraryCall([&] { return QVZB_ORLNET_Read(buffer, kBufferSize, &count, kReceiveWaitMs); });
    if (count > 0) received_->setText(BytesText(QByteArray(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(count))));
    else received_->setText(tr("无接收数据"));
    showOutcome(result);
}

void CPageTranData::clearCommand() {
    for (QLineEdit* f : {address_, data_, received_, status_}) f->clear();
}
