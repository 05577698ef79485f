#include "gui/cli/commands.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "Colmira3V42.h"
#include "Colmira3V42_uir.h"
#include "com232/link.h"
#include "gui/cli/console_dialogs.h"
#include "gui/link/connect.h"
#include "gui/link/link_settings.h"
#include "gui/params/hardware_file.h"
#include "gui/params/parameter_transfer.h"
#include "gui/settings/panel_settings.h"
#include "gui/shell/shell.h"
#include "ui/console.h"
#include "ui/dialogs.h"
#include "ui/ini.h"
#include "ui/serial.h"
#include "ui/ui.h"

namespace {

// A device named on the command line is opened as this COM port.
constexpr int kDevicePort = 1;

struct LinkOutcome {
  std::string failure;
  unsigned reportsSeen = 0;
};
LinkOutcome gOutcome;

// The link's one error display, as the window has it, plus a record of the
// first failure. A plausibility report goes through the same display but does
// not stop the transfer: it is printed as it comes.
void CollectLinkError(const char* message) {
  std::string line = OneLine(message);
  if (gTransfer.resetReports != gOutcome.reportsSeen) {
    gOutcome.reportsSeen = gTransfer.resetReports;
    std::fprintf(stderr, "%s\n", line.c_str());
  } else if (gOutcome.failure.empty()) {
    gOutcome.failure = line;
  }
  ShowLinkErrorOnScreen(message);
}

// The communication page as the settings file has it, then as --link says.
void SetUpLink(const LinkChoice& link) {
  {
    ui::IniText ini;
    ReadCommunicationSettings(ReadPanelSettingsFile(ini) ? &ini : nullptr);
  }
  int comm = MainTab(kPageComm);
  int baud = link.baudIndex < 0 ? kDefaultBaudIndex : link.baudIndex;
  switch (link.kind) {
    case LinkKind::kSettings:
      break;
    case LinkKind::kTcp:
      ui::SetCtrlVal(comm, TABCOMM_RING_PROTOCOL, 1);
      ui::SetCtrlVal(comm, TABCOMM_COMBO_HOST, link.host);
      ui::SetCtrlVal(comm, TABCOMM_STR_PORTNUMBER, std::to_string(link.tcpPort));
      break;
    case LinkKind::kCom:
    case LinkKind::kDevice: {
      int port = link.kind == LinkKind::kCom ? link.comPort : kDevicePort;
      if (link.kind == LinkKind::kDevice) ui::SetComDevice(port, link.device);
      ui::SetCtrlVal(comm, TABCOMM_RING_PROTOCOL, 0);
      ui::SetCtrlVal(comm, TABCOMM_NUM_COMPORT, port);
      ui::SetCtrlVal(comm, TABCOMM_RING_BAUDRATE, baud);
      break;
    }
  }
  ApplyProtocolVisibility();
}

std::string Absolute(const std::string& path) {
  std::error_code ec;
  std::filesystem::path p = std::filesystem::absolute(path, ec);
  return ec ? path : p.lexically_normal().string();
}

bool Readable(const std::string& path, std::string& why) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) {
    why = std::strerror(errno);
    return false;
  }
  std::fclose(f);
  if (std::filesystem::is_directory(path)) {
    why = "Is a directory";
    return false;
  }
  return true;
}

int RunCommand(const CommandLine& cl, ConsoleDialogs& dialogs) {
  switch (cl.command) {
    case Command::kIdentify:
      return RunIdentify();
    case Command::kGet:
      return RunGet(cl, dialogs);
    case Command::kSend:
      return RunSend(cl, dialogs);
    case Command::kHardwareInfo:
      return RunHardwareInfo(cl, dialogs);
    case Command::kRecord:
      return RunRecord(cl, dialogs);
    case Command::kNone:
      break;
  }
  return kExitUsageError;
}

}  // namespace

const std::string& LinkFailure() {
  return gOutcome.failure;
}

int CommandOutcome(const ConsoleDialogs& dialogs) {
  if (!gOutcome.failure.empty()) {
    std::fprintf(stderr, "%s\n", gOutcome.failure.c_str());
    return kExitLinkError;
  }
  if (!dialogs.Refusal().empty()) {
    std::fprintf(stderr, "%s\n", dialogs.Refusal().c_str());
    return kExitUsageError;
  }
  return kExitDone;
}

int RunIdentify() {
  std::printf("%s\n", gIdentity.shown.c_str());
  return kExitDone;
}

int RunGet(const CommandLine& cl, ConsoleDialogs& dialogs) {
  gTransfer.target = cl.eeprom ? kTargetEeprom : kTargetRam;
  gTransfer.parameterSet = cl.parameterSet;
  GetParameters();
  if (!LinkFailure().empty()) return CommandOutcome(dialogs);
  // The file is written as SEND to FILE writes it, from the panels.
  gTransfer.target = kTargetFile;
  dialogs.AnswerFilesWith(cl.file);
  SendParameters();
  return CommandOutcome(dialogs);
}

int RunSend(const CommandLine& cl, ConsoleDialogs& dialogs) {
  gTransfer.target = kTargetFile;
  dialogs.AnswerFilesWith(cl.file);
  dialogs.AnswerQuestionsWith(cl.force ? 1 : 0);
  GetParameters();
  // A file that was not read leaves nothing worth sending.
  if (!dialogs.Refusal().empty()) return CommandOutcome(dialogs);
  gTransfer.target = cl.eeprom ? kTargetEeprom : kTargetRam;
  // The set asked for, even where the editing rules would show ParaSet0 in
  // the window: a set restored must not land in the other one.
  gTransfer.parameterSet = cl.parameterSet;
  unsigned before = gTransfer.resetCount;
  SendParameters();
  if (!LinkFailure().empty()) return CommandOutcome(dialogs);
  unsigned resets = gTransfer.resetCount - before;
  std::printf("%u\n", resets);
  return resets ? kExitRefused : CommandOutcome(dialogs);
}

int RunHardwareInfo(const CommandLine& cl, ConsoleDialogs& dialogs) {
  dialogs.AnswerFilesWith(cl.file);
  WriteHardwareInfoFile();
  return CommandOutcome(dialogs);
}

int RunCommandLine(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  CommandLine cl = ParseCommandLine(args);
  if (cl.help) {
    std::fputs(UsageText().c_str(), stdout);
    return kExitDone;
  }
  if (!cl.error.empty()) {
    std::fprintf(stderr, "Colmira3V42: %s\n\n%s", cl.error.c_str(), UsageText().c_str());
    return kExitUsageError;
  }
  cl.file = Absolute(cl.file);
  if (cl.command == Command::kSend) {
    std::string why;
    if (!Readable(cl.file, why)) {
      std::fprintf(stderr, "%s: %s\n", cl.file.c_str(), why.c_str());
      return kExitUsageError;
    }
  }

  if (ui::InitHeadless(argc, argv) == 0) {
    std::fprintf(stderr, "Colmira3V42: the platform could not start\n");
    return kExitUsageError;
  }
  if (LoadApplicationPanels(ui::GetProjectDir() + "/" + kLayoutFileName) < 0) {
    std::fprintf(stderr, "Colmira3V42: %s/%s could not be loaded\n", ui::GetProjectDir().c_str(),
                 kLayoutFileName);
    return kExitUsageError;
  }
  ConsoleDialogs dialogs;
  ui::SetDialogProvider(&dialogs);
  PrepareApplication();
  SetLinkErrorDisplay(CollectLinkError);
  SetUpLink(cl.link);

  TryToConnect();
  int status = LinkFailure().empty() ? RunCommand(cl, dialogs) : CommandOutcome(dialogs);

  ShutdownApplication();
  ui::SetDialogProvider(nullptr);
  std::fflush(stdout);
  return status;
}
