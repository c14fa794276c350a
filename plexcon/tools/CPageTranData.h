// "数据传输" of the ORLNET panel: raw bytes typed in hexadecimal sent to a module address, the module's answer,
// and whatever the local module has passed on from the air.
#pragma once

#include <QByteArray>
#include <QWidget>

class CPanViewOrlnet;
class QLineEdit;
class QPushButton;

class CPageTranData : public QWidget {
    Q_OBJECT
public:
    static constexpr int kBufferSize = 255;

    explicit CPageTranData(CPanViewOrlnet* panel);

    // Space-separated hexadecimal tokens, the low 8 bits of each; a token without a leading hexadecimal digit
    // repeats the byte before it (0 at first); at most 255 bytes.
    static QByteArray ParseData(const QString& text);
    // "01 A2 FF " for the bytes 01, A2, FF.
    static QString BytesText(const QByteArray& bytes);

    void sendCommand();
    void receiveCommand();
    void clearCommand();

    QLineEdit* addressField() const { return address_; }
    QLineEdit* dataField() const { return data_; }
    QLineEdit* receivedField() const { return received_; }
    QLineEdit* statusField() const { return status_; }

private:
    void showOutcome(int result);

    CPanViewOrlnet* panel_;
    QLineEdit* address_ = nullptr;
    QLineEdit* data_ = nullptr;
    QLineEdit* received_ = nullptr;
    QLineEdit* status_ = nullptr;
};
