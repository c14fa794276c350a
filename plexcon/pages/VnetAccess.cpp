#include "pages/VnetAccess.h"

#include <QCoreApplication>

#include "shell/LibraryCall.h"
#include "shell/ModuleText.h"
#include "shell/Operator.h"

namespace vnet {

namespace {

constexpr uint8_t kSecurity = 0xDE;
constexpr uint8_t kPassword = 0xDF;
constexpr int kPasswordWidth = 16;

}  // namespace

// Appends the low 8 bits of the sum of all bytes so far.
Frame Sealed(Frame f) {
    uint8_t sum = 0;
    for (uint8_t b : f) sum = static_cast<uint8_t>(sum + b);
    f.push_back(sum);
    return f;
}

Frame WithChecksum(std::initializer_list<uint8_t> body) {
    Frame f{0xAB, 0xBC, 0xCD};
    f.insert(f.end(), body);
    return Sealed(std::move(f));
}

Frame SecurityCommand(uint8_t a, uint8_t b) { return WithChecksum({kSecurity, a, b}); }

Frame PasswordFrame(const QByteArray& password) {
    Frame f{0xAB, 0xBC, 0xCD, kPassword};
    for (int i = 0; i < kPasswordWidth; ++i) f.push_back(i < password.size() ? static_cast<uint8_t>(password[i]) : 0);
    return Sealed(std::move(f));
}

Frame ParameterRequest(uint8_t code, uint8_t operation, uint16_t value) {
    return WithChecksum({code, operation, static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value & 0xFF)});
}

bool Exchange(const Frame& request, int replyLength, int timeoutHintMs, Frame& reply) {
    reply.assign(static_cast<size_t>(replyLength), 0);
    return BusyLibraryCall([&] {
        unsigned int count = 0;
        if (!QVZB_ORLNET_Write(request.data(), static_cast<int>(request.size()), &count, timeoutHintMs)) return false;
        count = 0;
        if (!QVZB_ORLNET_Read(reply.data(), replyLength, &count, timeoutHintMs)) return false;
        return count >= static_cast<unsigned int>(replyLength);
    });
}

std::optional<uint16_t> ExchangeParameter(uint8_t code, uint8_t operation, uint16_t value) {
    Frame reply;
    if (!Exchange(ParameterRequest(code, operation, value), kParameterReplyLength, kParameterTimeoutHintMs, reply))
        return std::nullopt;
    return static_cast<uint16_t>(reply[4] << 8 | reply[5]);
}

Protection QueryProtection() {
    Frame reply;
    if (!Exchange(SecurityCommand(0, 1), kSecurityReplyLength, kSecurityTimeoutHintMs, reply)) return Protection::Failed;
    if (reply[0] == 0) return Protection::NoAnswer;
    if (reply[5] != 0) return Protection::Failed;
    return reply[4] == 1 ? Protection::Enabled : Protection::Disabled;
}

Access CheckAccess(QWidget* parent, Operator& op) {
    if (QueryProtection() != Protection::Enabled) return Access::Granted;
    QString password;
    if (!op.askPassword(parent, password)) return Access::Cancelled;
    Frame reply;
    const QByteArray text = ToModuleText(password).left(kPasswordWidth);
    if (!Exchange(PasswordFrame(text), kPasswordReplyLength, kSecurityTimeoutHintMs, reply) || reply[4] != 0) {
        op.message(parent, QCoreApplication::translate("vnet", "密码错误!操作失败"), Operator::Icon::Critical);
        return Access::Refused;
    }
    return Access::Granted;
}

}  // namespace vnet
