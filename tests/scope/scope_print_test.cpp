// The printed scope report: printed to a PDF file through the scripted print
// dialog, then read back with the PDF tools; and the real print dialog, built
// offscreen.
#include "gui/scope/scope_print.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDate>
#include <QLocale>
#include <QPrintDialog>
#include <QPrinter>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <string>

#include "Colmira3V42_uir.h"
#include "gui/shell/shell.h"
#include "support/app_fixture.h"
#include "ui/ui.h"

namespace {

std::string RunCommand(const std::string& command) {
  std::string out;
  if (FILE* p = popen(command.c_str(), "r")) {
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
    pclose(p);
  }
  return out;
}

class ScopePrint : public AppFixture {
 protected:
  void SetUp() override {
    AppFixture::SetUp();
    ASSERT_TRUE(StartApp());
    ui::SetActiveTabPage(gShell.mainp, MAINP_TAB, kPageScope);
    ui::FireCtrlEvent(gShell.mainp, MAINP_TAB, ui::EVENT_ACTIVE_TAB_CHANGE, kPageParameters,
                      kPageScope);
    pdf = dir + "/report.pdf";
  }
  void SetId(const std::string& id) { ui::SetCtrlVal(MainTab(kPageComm), TABCOMM_STR_ID, id); }
  void SetComment(const std::string& text) {
    ui::SetCtrlVal(MainTab(kPageScope), TABSCOPE_TEXTBOX_COMMENT, text);
  }
  void Print() { ui::FireCtrlEvent(MainTab(kPageScope), TABSCOPE_BUTTON_PRINT, ui::EVENT_COMMIT); }
  // The PDF's text in reading order, lines joined by '\n'.
  std::string PdfText() { return RunCommand("pdftotext -layout '" + pdf + "' -"); }
  std::string pdf;
};

TEST_F(ScopePrint, PageHoldsTitleIdCommentDateAndTheGraph) {
  SetId("LINE 4 SENSOR");
  SetComment("Belt at 2 m/s\nsecond line");
  dialogs.QueuePrint(1, pdf);
  Print();
  EXPECT_EQ(Popups(), (std::vector<std::string>{"Print|", "Info!|Print successful!"}));
  std::string text = PdfText();
  size_t title = text.find("Rarev Screen Shot");
  size_t program = text.find("COLMIRA3-Rarev V4.2");
  size_t id = text.find("PANEL ID: LINE 4 SENSOR");
  size_t comment = text.find("COMMENT:");
  size_t body = text.find("Belt at 2 m/s");
  ASSERT_NE(title, std::string::npos) << text;
  ASSERT_NE(program, std::string::npos) << text;
  ASSERT_NE(id, std::string::npos) << text;
  ASSERT_NE(comment, std::string::npos) << text;
  ASSERT_NE(body, std::string::npos) << text;
  EXPECT_LT(title, program);
  EXPECT_LT(program, id);
  EXPECT_LT(id, comment);
  EXPECT_LT(comment, body);
  EXPECT_NE(text.find("second line"), std::string::npos);
  EXPECT_NE(text.find(QLocale().toString(QDate::currentDate(), QLocale::ShortFormat).toStdString()),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("Page 1 of 1"), std::string::npos);
  // The panel image is drawn at the printer's resolution: several image pixels for
  // every screen pixel of the panel, not a screen grab scaled up.
  std::string images = RunCommand("pdfimages -list '" + pdf + "'");
  int width = 0, height = 0;
  std::sscanf(images.substr(images.rfind("\n", images.size() - 2) + 1).c_str(), "%*d %*d %*s %d %d",
              &width, &height);
  EXPECT_GT(width, 4 * FindWidget("SCOPEP")->width()) << images;
}

TEST_F(ScopePrint, EmptyIdAndCommentLeaveTheirLinesOut) {
  SetId("");
  SetComment("");
  dialogs.QueuePrint(1, pdf);
  Print();
  EXPECT_EQ(Popups().back(), "Info!|Print successful!");
  std::string text = PdfText();
  EXPECT_NE(text.find("Rarev Screen Shot"), std::string::npos);
  EXPECT_NE(text.find("COLMIRA3-Rarev V4.2"), std::string::npos);
  EXPECT_EQ(text.find("PANEL ID"), std::string::npos);
  EXPECT_EQ(text.find("COMMENT"), std::string::npos);
  EXPECT_NE(RunCommand("pdfimages -list '" + pdf + "'").find("image"), std::string::npos);
}

TEST_F(ScopePrint, LongCommentIsCutAt1023Characters) {
  std::string comment;
  for (int i = 0; comment.size() < 1100; ++i) comment += "w" + std::to_string(i) + " ";
  SetComment(comment);
  dialogs.QueuePrint(1, pdf);
  Print();
  EXPECT_EQ(Popups().back(), "Info!|Print successful!");
  std::string text = PdfText();
  std::string kept = comment.substr(0, 1023);
  std::string lastWord = kept.substr(kept.rfind(' ', kept.size() - 2) + 1);
  EXPECT_NE(text.find(" " + lastWord), std::string::npos) << lastWord;
  std::string firstCut = comment.substr(1023);
  firstCut = firstCut.substr(firstCut.find(' ') + 1,
                             firstCut.find(' ', firstCut.find(' ') + 1) - firstCut.find(' ') - 1);
  EXPECT_EQ(text.find(firstCut + " "), std::string::npos) << firstCut;
}

TEST_F(ScopePrint, CancelledDialogPrintsNothing) {
  dialogs.QueuePrint(0, pdf);
  Print();
  EXPECT_EQ(Popups(), (std::vector<std::string>{"Print|"}));
  EXPECT_FALSE(std::filesystem::exists(pdf));
}

TEST_F(ScopePrint, UnwritablePdfReportsPrintError) {
  dialogs.QueuePrint(1, dir + "/no-such-dir/report.pdf");
  Print();
  EXPECT_EQ(Popups(), (std::vector<std::string>{"Print|", "Info!|Print error "}));
}

TEST_F(ScopePrint, RealPrintDialogOffersAPdfFile) {
  ui::SetDialogProvider(nullptr);
  bool seen = false;
  QTimer::singleShot(200, [&] {
    auto* dlg = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dlg, nullptr);
    seen = true;
    EXPECT_TRUE(dlg->testOption(QAbstractPrintDialog::PrintToFile));
    EXPECT_EQ(dlg->printer()->resolution(), QPrinter(QPrinter::HighResolution).resolution());
    if (dlg->printer()->outputFormat() == QPrinter::PdfFormat) {
      EXPECT_EQ(dlg->printer()->outputFileName().toStdString(), dir + "/RarevScreenShot.pdf");
    }
    dlg->reject();
  });
  Print();
  ui::SetDialogProvider(&dialogs);
  EXPECT_TRUE(seen);
}

}  // namespace
