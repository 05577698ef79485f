#include "ui/console.h"

#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QSocketNotifier>
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "ui/ui.h"

namespace ui {

namespace {

constexpr int kRepeatMs = 100;

int gWakePipe[2] = {-1, -1};
void (*gOnInterrupt)() = nullptr;
// After an interrupt the callback runs again every 0.1 s until it is removed,
// so that a stop cannot be lost to a loop that (re)starts right after it.
QTimer* gRepeat = nullptr;

// Only what ends the program is worth a line on the error stream: scripts
// read it, and the offscreen display warns about things no one sees.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtCriticalMsg || type == QtFatalMsg)
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

extern "C" void WakeOnSignal(int) {
  char byte = 1;
  ssize_t written = write(gWakePipe[1], &byte, 1);
  (void)written;
}

bool OpenWakePipe() {
  if (gWakePipe[0] >= 0) return true;
  if (pipe2(gWakePipe, O_CLOEXEC | O_NONBLOCK) != 0) return false;
  auto* notifier = new QSocketNotifier(gWakePipe[0], QSocketNotifier::Read, qApp);
  QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] {
    char bytes[16];
    while (read(gWakePipe[0], bytes, sizeof bytes) > 0) {
    }
    if (!gOnInterrupt) return;
    gOnInterrupt();
    gRepeat->start(kRepeatMs);
  });
  gRepeat = new QTimer(qApp);
  QObject::connect(gRepeat, &QTimer::timeout, gRepeat, [] {
    if (gOnInterrupt) gOnInterrupt();
  });
  return true;
}

}  // namespace

int InitHeadless(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  qInstallMessageHandler(QuietMessages);
  return InitCVIRTE(argc, argv);
}

void OnInterrupt(void (*onInterrupt)()) {
  gOnInterrupt = onInterrupt;
  if (gRepeat) gRepeat->stop();
  struct sigaction action {};
  sigemptyset(&action.sa_mask);
  if (onInterrupt && OpenWakePipe()) {
    action.sa_handler = WakeOnSignal;
    action.sa_flags = SA_RESETHAND | SA_RESTART;
  } else {
    action.sa_handler = SIG_DFL;
  }
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

bool ErrorStreamIsTerminal() {
  return isatty(STDERR_FILENO) == 1;
}

}  // namespace ui
