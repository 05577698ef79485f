// Runs the application on the real layout, offscreen, in a fresh project
// directory, with scripted popups and the virtual sensor in the same process.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "sim/pty_transport.h"
#include "sim/sensor.h"
#include "sim/tcp_transport.h"
#include "ui/dialogs.h"

class QWidget;

class AppFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Loads the panels and runs the start-up (with its connect attempt, as the
  // settings file in the project directory says); false when loading failed.
  bool StartApp();
  // Link settings of a panel settings file written before the start.
  struct Settings {
    int protocol = 0;
    int comPort = 1;
    int baudIndex = 4;
    std::string host;
    std::string portText = kDefaultTcpPortText;
    std::vector<std::string> hosts;
    std::string comDevice;  // mapped to comPort when not empty
  };
  void WriteSettings(const Settings& s);
  // Starts the virtual sensor and the application connected to it.
  void StartWithTcpSensor();
  void StartWithPtySensor(int comPort = 7, long paceBaud = 0);
  void ClearLog();
  // The virtual sensor on 127.0.0.1, and the link set to reach it.
  void UseTcpSensor();
  // The virtual sensor on a pseudo-terminal that COM port `comPort` opens.
  void UsePtySensor(int comPort = 7, long paceBaud = 0);
  std::string PtyPath() const { return dir + "/ttySIM"; }
  void WriteProjectFile(const std::string& name, const std::string& bytes);
  std::string ReadProjectFile(const std::string& name) const;

  std::string Log() const;
  std::string Status() const;
  int ActiveMainPage() const;
  bool Dimmed(int panel, int ctrl) const;
  // The popups raised since the last call, as "title|text".
  std::vector<std::string> Popups();

  ui::ScriptedDialogs dialogs;
  std::string dir;
  sim::Sensor sensor;
  std::unique_ptr<sim::TcpTransport> tcp;
  std::unique_ptr<sim::PtyTransport> pty;
  bool started = false;
};

// A widget of the loaded panels by its object name.
QWidget* FindWidget(const char* objectName);
// Runs the event loop for a while (the sensor answers from its own thread).
void Pump(double seconds);
