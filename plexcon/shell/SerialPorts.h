// The machine's serial ports as the serial port panel lists them: names relative to /dev ("ttyUSB0", "pts/3").
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Ports under sysTtyRoot (normally /sys/class/tty) that are backed by a device (a serial-core port whose "type"
// is 0 has no UART behind it and is left out), plus the extra ports; without duplicates, sorted by name without
// regard to case (so "COM10" comes before "COM3").
QStringList ListSerialPorts(const QString& sysTtyRoot, const QStringList& extra);
// "/dev/pts/3" -> "pts/3"; other names stay as they are.
QString PortNameFromPath(const QString& path);
// The path handed to QVZB_OpenCom: "\\.\" and the name (the library maps it to /dev/NAME); a name that is an
// absolute path outside /dev goes as it stands.
QByteArray LibraryPortPath(const QString& name);
