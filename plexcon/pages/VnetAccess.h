// The VNET module's own access check, made of raw frames on the serial port: a state query, and when protection
// is on, the password question and the password frame. The terminal page runs it before every command, and the
// CEL serial and radio pages before every local read.
#pragma once

#include <QByteArray>

#include <cstdint>
#include <optional>
#include <vector>

class Operator;
class QWidget;

namespace vnet {

using Frame = std::vector<uint8_t>;

// AB BC CD followed by the body and the low 8 bits of the sum of all bytes before it.
Frame WithChecksum(std::initializer_list<uint8_t> body);
// Security command (A, B); A = 0, B = 1 is the state query.
Frame SecurityCommand(uint8_t a, uint8_t b);
// The password as 16 bytes of module text, zero-padded.
Frame PasswordFrame(const QByteArray& password);
// Terminal parameter request: code 0xDB, 0xDC or 0xDD; operation 0 read, 1 write.
Frame ParameterRequest(uint8_t code, uint8_t operation, uint16_t value);

inline constexpr int kSecurityReplyLength = 6;
inline constexpr int kPasswordReplyLength = 5;
inline constexpr int kParameterReplyLength = 7;
inline constexpr int kSecurityTimeoutHintMs = 1100;
inline constexpr int kParameterTimeoutHintMs = 1500;

// One exchange under the library lock: the request written, then, only when that succeeded, one read of the
// reply's length. False when either call fails or the reply is short (its bytes would be undefined).
bool Exchange(const Frame& request, int replyLength, int timeoutHintMs, Frame& reply);

// One terminal parameter exchange (operation 0 read, 1 write); the value the reply carries (its bytes 4 and 5,
// high byte first), or nothing when the exchange failed.
std::optional<uint16_t> ExchangeParameter(uint8_t code, uint8_t operation, uint16_t value);

// The state query's result.
enum class Protection { Enabled = 0, Disabled = 1, NoAnswer = 2, Failed = 3 };
Protection QueryProtection();

enum class Access { Granted, Cancelled, Refused };
// Runs the check; a refused password has been reported with "密码错误!操作失败". Only Enabled asks for the password.
Access CheckAccess(QWidget* parent, Operator& op);

}  // namespace vnet
