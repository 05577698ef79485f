// One-page printed reports: lines of text in a chosen font, empty lines and
// the image of a panel, with the date, the time and the page number in the
// margins, sent to the printer that the print dialog chose. A panel image is
// drawn at print time at the printer's own resolution, so it is sharp on paper.
#pragma once

#include <string>

namespace ui {

// What the print dialog chose. The device is the printer's name, or the file
// when the dialog printed to a PDF file.
struct PrinterChoice {
  std::string printerName;
  std::string outputFile;  // a PDF file; empty for a printer
  int copies = 1;
  bool landscape = false;
  std::string DeviceName() const { return outputFile.empty() ? printerName : outputFile; }
};

// Shows the print dialog: 1 with the choice filled in, 0 when cancelled.
int PrintDialogPopup(PrinterChoice& choice);

// The fields of the page margins; the value may hold "<shortdate>", "<time>"
// and "<pagenofm>", filled in when the page is printed.
enum ReportAttr {
  REPORT_ATTR_HEADER_LEFT = 11,
  REPORT_ATTR_HEADER_RIGHT = 12,
  REPORT_ATTR_FOOTER_CENTRE = 13,
};
enum ReportTextAttr {
  REPORT_TEXT_FONT_NAME,
  REPORT_TEXT_POINT_SIZE,
  REPORT_TEXT_COLOR,  // 0xRRGGBB
};

// A report handle (> 0), or a negative value when no report can be made.
int NewReport();
int SetReportAttribute(int report, ReportAttr attr, const std::string& value);
int SetReportTextAttribute(int report, ReportTextAttr attr, const std::string& value);
int SetReportTextAttribute(int report, ReportTextAttr attr, double value);
// Appends one line of text (line breaks in it start new lines) in the current font.
int AppendReportLine(int report, const std::string& text);
int AppendReportNewLine(int report);
// Appends the image of a whole panel, as it looks when printed, with a caption
// for the reader of the file.
int AppendReportPanelImage(int report, int panel, const std::string& caption);
// Prints the report on one page: 0 on success, negative on failure.
int PrintReport(int report, const PrinterChoice& printer);
int DiscardReport(int report);

}  // namespace ui
