#include "ui/tcp.h"

#include <QTcpSocket>
#include <map>

#include "ui/ui.h"

namespace ui {

namespace {

struct Conversation {
  QTcpSocket* socket = nullptr;
  TcpCallback callback = nullptr;
  void* data = nullptr;
};

std::map<unsigned, Conversation> gConversations;
unsigned gNextHandle = 1;

int MapConnectError(QAbstractSocket::SocketError e) {
  switch (e) {
    case QAbstractSocket::ConnectionRefusedError:
      return kTCP_FailedToConnect;
    case QAbstractSocket::SocketTimeoutError:
      return kTCP_TimeOutErr;
    default:
      return kTCP_UnableToEstablishConnection;
  }
}

void Forget(unsigned handle) {
  auto it = gConversations.find(handle);
  if (it == gConversations.end()) return;
  QTcpSocket* s = it->second.socket;
  gConversations.erase(it);
  s->disconnect();
  s->abort();
  s->deleteLater();
}

}  // namespace

int ConnectToTCPServer(unsigned* handle, int port, const std::string& host, TcpCallback callback,
                       void* callbackData, int timeoutMs) {
  if (handle) *handle = 0;
  if (port < 0 || port > 65535) return kTCP_InvalidParameter;
  auto* s = new QTcpSocket;
  bool failed = false;
  QAbstractSocket::SocketError error = QAbstractSocket::UnknownSocketError;
  QObject::connect(s, &QAbstractSocket::errorOccurred, s,
                   [&failed, &error](QAbstractSocket::SocketError e) {
                     failed = true;
                     error = e;
                   });
  s->connectToHost(QString::fromStdString(host), static_cast<quint16>(port));
  // Events go on while connecting; the caller's busy state keeps other work out.
  double start = Timer();
  while (!failed && s->state() != QAbstractSocket::ConnectedState) {
    double left = timeoutMs / 1000.0 - (Timer() - start);
    if (left <= 0) break;
    WaitForSystemEvents(left);
  }
  bool connected = !failed && s->state() == QAbstractSocket::ConnectedState;
  s->disconnect();
  if (!connected) {
    s->abort();
    s->deleteLater();
    return failed ? MapConnectError(error) : kTCP_TimeOutErr;
  }
  s->setSocketOption(QAbstractSocket::LowDelayOption, 1);
  unsigned h = gNextHandle++;
  gConversations[h] = Conversation{s, callback, callbackData};
  QObject::connect(s, &QTcpSocket::readyRead, s, [h] {
    auto it = gConversations.find(h);
    if (it != gConversations.end() && it->second.callback)
      it->second.callback(h, TCP_DATAREADY, 0, it->second.data);
  });
  QObject::connect(s, &QTcpSocket::disconnected, s, [h] {
    auto it = gConversations.find(h);
    if (it == gConversations.end()) return;
    TcpCallback cb = it->second.callback;
    void* data = it->second.data;
    Forget(h);
    if (cb) cb(h, TCP_DISCONNECT, 0, data);
  });
  if (handle) *handle = h;
  return 0;
}

int DisconnectFromTCPServer(unsigned handle) {
  if (!gConversations.count(handle)) return kTCP_NoConnectionEstablished;
  Forget(handle);
  return 0;
}

int ClientTCPRead(unsigned handle, void* buffer, size_t size, int timeoutMs) {
  auto it = gConversations.find(handle);
  if (it == gConversations.end()) return kTCP_NoConnectionEstablished;
  QTcpSocket* s = it->second.socket;
  if (size == 0) return 0;
  double start = Timer();
  while (s->bytesAvailable() == 0) {
    double left = timeoutMs / 1000.0 - (Timer() - start);
    if (left <= 0) return kTCP_TimeOutErr;
    WaitForSystemEvents(left);
    if (!gConversations.count(handle)) return kTCP_ConnectionClosed;
  }
  qint64 n = s->read(static_cast<char*>(buffer), static_cast<qint64>(size));
  return n < 0 ? kTCP_ReadFailed : static_cast<int>(n);
}

int ClientTCPWrite(unsigned handle, const void* buffer, size_t size, int timeoutMs) {
  (void)timeoutMs;
  auto it = gConversations.find(handle);
  if (it == gConversations.end()) return kTCP_NoConnectionEstablished;
  QTcpSocket* s = it->second.socket;
  qint64 n = s->write(static_cast<const char*>(buffer), static_cast<qint64>(size));
  s->flush();
  return n < 0 ? kTCP_WriteFailed : static_cast<int>(n);
}

}  // namespace ui
