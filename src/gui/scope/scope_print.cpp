#include "gui/scope/scope_print.h"

#include "Colmira3V42.h"
#include "Colmira3V42_uir.h"
#include "gui/shell/shell.h"
#include "ui/dialogs.h"
#include "ui/report.h"
#include "ui/ui.h"

std::string CutToChars(const std::string& text, size_t maxChars) {
  size_t chars = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    // A character starts at every byte that is not a UTF-8 continuation byte.
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
      if (chars == maxChars) return text.substr(0, i);
      ++chars;
    }
  }
  return text;
}

namespace {

void BuildPage(int report) {
  ui::SetReportAttribute(report, ui::REPORT_ATTR_HEADER_LEFT, "<shortdate>");
  ui::SetReportAttribute(report, ui::REPORT_ATTR_HEADER_RIGHT, "<time>");
  ui::SetReportAttribute(report, ui::REPORT_ATTR_FOOTER_CENTRE, "<pagenofm>");
  ui::SetReportTextAttribute(report, ui::REPORT_TEXT_COLOR, 0.0);
  ui::SetReportTextAttribute(report, ui::REPORT_TEXT_FONT_NAME, "Arial");
  ui::SetReportTextAttribute(report, ui::REPORT_TEXT_POINT_SIZE, 20.0);
  ui::AppendReportLine(report, "Rarev Screen Shot");
  ui::SetReportTextAttribute(report, ui::REPORT_TEXT_POINT_SIZE, 10.0);
  ui::AppendReportLine(report, kProgramTitle);
  std::string id = ui::GetCtrlString(MainTab(kPageComm), TABCOMM_STR_ID);
  if (!id.empty()) ui::AppendReportLine(report, "PANEL ID: " + id);
  ui::AppendReportNewLine(report);
  std::string comment = CutToChars(ui::GetCtrlString(MainTab(kPageScope), TABSCOPE_TEXTBOX_COMMENT),
                                   kScopeCommentChars);
  if (!comment.empty()) {
    ui::AppendReportLine(report, "COMMENT:");
    ui::AppendReportLine(report, comment);
    ui::AppendReportNewLine(report);
  }
  ui::AppendReportPanelImage(report, gShell.scopep, "Panel");
}

}  // namespace

void PrintScopeGraph() {
  int report = ui::NewReport();
  if (report < 0) {
    ui::MessagePopup("ERROR", "Could not prepare the printout...");
    return;
  }
  BuildPage(report);
  ui::PrinterChoice printer;
  if (ui::PrintDialogPopup(printer) == 1 && !printer.DeviceName().empty()) {
    int result = ui::PrintReport(report, printer);
    ui::MessagePopup("Info!", result == 0 ? "Print successful!" : "Print error ");
  }
  ui::DiscardReport(report);
}
