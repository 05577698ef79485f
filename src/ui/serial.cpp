#include "ui/serial.h"

#include <QSerialPort>
#include <map>
#include <memory>

#include "ui/ui.h"

namespace ui {

namespace {

struct Port {
  std::unique_ptr<QSerialPort> sp;
  double timeout = 2.0;
  int errorBits = 0;
};

std::map<int, Port> gPorts;
std::map<int, std::string> gDevices;

constexpr int kErrRead = 0x0010;
constexpr int kErrOther = 0x0001;

QSerialPort* Open(int port) {
  auto it = gPorts.find(port);
  if (it == gPorts.end() || !it->second.sp || !it->second.sp->isOpen()) return nullptr;
  return it->second.sp.get();
}

int MapOpenError(QSerialPort::SerialPortError e) {
  switch (e) {
    case QSerialPort::DeviceNotFoundError:
      return kComNoSerialPort;
    case QSerialPort::PermissionError:
    case QSerialPort::OpenError:
      return kComCannotOpenPort;
    case QSerialPort::UnsupportedOperationError:
      return kComInvalidBaudrate;
    default:
      return kComUnknownSystemError;
  }
}

}  // namespace

void SetComDevice(int port, const std::string& device) {
  if (device.empty())
    gDevices.erase(port);
  else
    gDevices[port] = device;
}

void ClearComDevices() {
  gDevices.clear();
}

std::string ComDeviceName(int port) {
  auto it = gDevices.find(port);
  if (it != gDevices.end()) return it->second;
  return "/dev/ttyS" + std::to_string(port - 1);
}

int OpenComConfig(int port, const std::string& deviceName, long baud, int parity, int dataBits,
                  int stopBits, int inputQueueSize, int outputQueueSize) {
  (void)inputQueueSize;
  (void)outputQueueSize;
  if (port < 1 || port > 1000) return kComInvalidPortNumber;
  if (baud <= 0 || baud > 4000000) return kComInvalidBaudrate;
  CloseCom(port);
  auto sp = std::make_unique<QSerialPort>();
  std::string dev = deviceName.empty() ? ComDeviceName(port) : deviceName;
  sp->setPortName(QString::fromStdString(dev));
  if (!sp->open(QIODevice::ReadWrite)) return MapOpenError(sp->error());
  bool ok = sp->setBaudRate(static_cast<qint32>(baud));
  ok = ok && sp->setDataBits(dataBits == 5   ? QSerialPort::Data5
                             : dataBits == 6 ? QSerialPort::Data6
                             : dataBits == 7 ? QSerialPort::Data7
                                             : QSerialPort::Data8);
  ok = ok && sp->setParity(parity == 1   ? QSerialPort::OddParity
                           : parity == 2 ? QSerialPort::EvenParity
                           : parity == 3 ? QSerialPort::MarkParity
                           : parity == 4 ? QSerialPort::SpaceParity
                                         : QSerialPort::NoParity);
  ok = ok && sp->setStopBits(stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop);
  ok = ok && sp->setFlowControl(QSerialPort::NoFlowControl);
  if (!ok) {
    sp->close();
    return kComInvalidBaudrate;
  }
  Port& p = gPorts[port];
  p.sp = std::move(sp);
  p.errorBits = 0;
  QSerialPort* raw = p.sp.get();
  QObject::connect(raw, &QSerialPort::errorOccurred, raw,
                   [port, raw](QSerialPort::SerialPortError e) {
                     if (e == QSerialPort::NoError) return;
                     auto it = gPorts.find(port);
                     if (it == gPorts.end() || it->second.sp.get() != raw) return;
                     if (e == QSerialPort::ReadError || e == QSerialPort::ResourceError) {
                       // A vanished peer would otherwise report the same error without end.
                       it->second.errorBits |= kErrRead;
                       raw->close();
                     } else if (e != QSerialPort::TimeoutError) {
                       it->second.errorBits |= kErrOther;
                     }
                     raw->clearError();
                   });
  return 0;
}

int CloseCom(int port) {
  auto it = gPorts.find(port);
  if (it == gPorts.end()) return kComPortNotOpen;
  bool wasOpen = it->second.sp && it->second.sp->isOpen();
  if (it->second.sp) {
    it->second.sp->disconnect();
    it->second.sp->close();
  }
  gPorts.erase(it);
  return wasOpen ? 0 : kComPortNotOpen;
}

int SetComTime(int port, double seconds) {
  auto it = gPorts.find(port);
  if (it == gPorts.end()) return kComPortNotOpen;
  it->second.timeout = seconds;
  return 0;
}

int FlushInQ(int port) {
  QSerialPort* sp = Open(port);
  if (!sp) return kComPortNotOpen;
  sp->clear(QSerialPort::Input);
  sp->readAll();
  return 0;
}

int FlushOutQ(int port) {
  QSerialPort* sp = Open(port);
  if (!sp) return kComPortNotOpen;
  sp->clear(QSerialPort::Output);
  return 0;
}

int SetCTSMode(int port, int mode) {
  QSerialPort* sp = Open(port);
  if (!sp) return kComPortNotOpen;
  sp->setFlowControl(mode ? QSerialPort::HardwareControl : QSerialPort::NoFlowControl);
  return 0;
}

int ComWrt(int port, const uint8_t* buffer, int count) {
  QSerialPort* sp = Open(port);
  if (!sp) return kComPortNotOpen;
  qint64 n = sp->write(reinterpret_cast<const char*>(buffer), count);
  sp->flush();
  return n < 0 ? kComIoError : static_cast<int>(n);
}

int ComRd(int port, uint8_t* buffer, int count) {
  QSerialPort* sp = Open(port);
  if (!sp) return kComPortNotOpen;
  double start = Timer();
  double timeout = gPorts[port].timeout;
  while (Open(port) == sp && sp->bytesAvailable() < count) {
    double left = timeout - (Timer() - start);
    if (left <= 0) break;
    WaitForSystemEvents(left);
  }
  if (Open(port) != sp) return 0;
  qint64 n = sp->read(reinterpret_cast<char*>(buffer), count);
  return n < 0 ? 0 : static_cast<int>(n);
}

int GetInQLen(int port) {
  QSerialPort* sp = Open(port);
  if (!sp) return kComPortNotOpen;
  return static_cast<int>(sp->bytesAvailable());
}

int GetComStat(int port) {
  auto it = gPorts.find(port);
  if (it == gPorts.end()) return kComPortNotOpen;
  int bits = it->second.errorBits;
  it->second.errorBits = 0;
  return bits;
}

long ComBaudRate(int port) {
  QSerialPort* sp = Open(port);
  return sp ? sp->baudRate() : 0;
}

}  // namespace ui
