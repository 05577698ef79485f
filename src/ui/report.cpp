// One-page reports printed with QPrinter: text lines, empty lines and panel
// images, laid out top to bottom in the printable area, with fields in the
// margins. A panel image is rendered when the page is printed, at the
// printer's resolution (up to a limit that keeps the image in memory small),
// its graphs drawn anew at that resolution rather than scaled from the screen.
#include "ui/report.h"

#include <QDate>
#include <QImage>
#include <QLayout>
#include <QLocale>
#include <QPainter>
#include <QPrinter>
#include <QTextLayout>
#include <QTime>
#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

#include "qcustomplot.h"
#include "ui/dialogs.h"
#include "ui/registry.h"

namespace ui {

namespace {

// The finest a panel image is rendered: beyond it the image grows large and
// nobody sees the difference.
constexpr double kMaxImageDpi = 600.0;
constexpr double kScreenDpi = 96.0;
constexpr double kMarginMm = 15.0;
constexpr double kFieldPoints = 8.0;

struct Item {
  enum Kind { Text, NewLine, Panel } kind = Text;
  QString text;
  QFont font;
  QColor color;
  int panel = 0;
};

struct Report {
  QString fields[3];  // header left, header right, footer centre
  QFont font{"Arial", 10};
  QColor color = Qt::black;
  std::vector<Item> items;
};

std::map<int, Report>& Reports() {
  static std::map<int, Report> reports;
  return reports;
}

Report* Find(int report) {
  auto it = Reports().find(report);
  return it == Reports().end() ? nullptr : &it->second;
}

QString Expand(QString field) {
  field.replace("<shortdate>", QLocale().toString(QDate::currentDate(), QLocale::ShortFormat));
  field.replace("<time>", QTime::currentTime().toString("HH:mm:ss"));
  field.replace("<pagenofm>", "Page 1 of 1");
  return field;
}

// Lays out text wrapped to `width` (at word boundaries where it can, anywhere
// where a word is longer than the line); draws it when a painter is given.
// Returns the height taken.
double WrappedText(QPainter* painter, const QFont& font, QPaintDevice* device, const QString& text,
                   double x, double y, double width) {
  QFontMetricsF fm(font, device);
  if (text.isEmpty()) return fm.lineSpacing();
  double height = 0;
  for (const QString& paragraph : text.split('\n')) {
    QTextLayout layout(paragraph, font, device);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (;;) {
      QTextLine line = layout.createLine();
      if (!line.isValid()) break;
      line.setLineWidth(width);
      line.setPosition(QPointF(0, height));
      height += std::max<double>(line.height(), fm.lineSpacing());
    }
    layout.endLayout();
    if (painter) layout.draw(painter, QPointF(x, y));
  }
  return height;
}

QWidget* PanelWidget(int panel) {
  Panel* p = FindPanel(panel);
  return p ? p->widget.data() : nullptr;
}

// The panel as it looks, `scale` image pixels to one screen pixel; its graphs
// are drawn again at that scale, so their lines and labels stay sharp.
QImage RenderPanel(QWidget* w, double scale) {
  if (QLayout* l = w->layout()) l->activate();
  QSize logical = w->size();
  QImage image(std::max(1, static_cast<int>(std::ceil(logical.width() * scale))),
               std::max(1, static_cast<int>(std::ceil(logical.height() * scale))),
               QImage::Format_RGB32);
  image.setDevicePixelRatio(scale);
  image.fill(w->palette().color(QPalette::Window));
  w->render(&image, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
  QPainter painter(&image);
  for (QCustomPlot* plot : w->findChildren<QCustomPlot*>()) {
    if (!plot->isVisibleTo(w) || plot->width() <= 0 || plot->height() <= 0) continue;
    QRect at(plot->mapTo(w, QPoint(0, 0)), plot->size());
    painter.fillRect(at, w->palette().color(QPalette::Window));
    painter.drawPixmap(at, plot->toPixmap(plot->width(), plot->height(), scale));
  }
  return image;
}

void DrawFields(QPainter& painter, QPrinter& printer, const Report& r, const QRectF& page) {
  QFont font("Arial");
  font.setPointSizeF(kFieldPoints);
  painter.setFont(font);
  painter.setPen(Qt::black);
  QFontMetricsF fm(font, &printer);
  // The margins hold the fields, just outside the printable area.
  QRectF header(page.left(), page.top() - fm.lineSpacing() * 1.6, page.width(), fm.lineSpacing());
  QRectF footer(page.left(), page.bottom() + fm.lineSpacing() * 0.6, page.width(),
                fm.lineSpacing());
  painter.drawText(header, Qt::AlignLeft | Qt::AlignVCenter, Expand(r.fields[0]));
  painter.drawText(header, Qt::AlignRight | Qt::AlignVCenter, Expand(r.fields[1]));
  painter.drawText(footer, Qt::AlignHCenter | Qt::AlignVCenter, Expand(r.fields[2]));
}

int Print(const Report& r, const PrinterChoice& choice) {
  QPrinter printer(QPrinter::HighResolution);
  if (!choice.outputFile.empty()) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(choice.outputFile));
  } else {
    printer.setPrinterName(QString::fromStdString(choice.printerName));
    if (!printer.isValid()) return -1;
  }
  printer.setCopyCount(std::max(1, choice.copies));
  printer.setPageOrientation(choice.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
  printer.setPageMargins(QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                         QPageLayout::Millimeter);
  QPainter painter;
  if (!painter.begin(&printer)) return -2;
  // Painter coordinates start at the printable area.
  QRectF page(QPointF(0, 0), printer.pageRect(QPrinter::DevicePixel).size());
  DrawFields(painter, printer, r, page);
  double y = 0;
  for (const Item& item : r.items) {
    if (item.kind == Item::Text || item.kind == Item::NewLine) {
      painter.setFont(item.font);
      painter.setPen(item.color);
      QString text = item.kind == Item::Text ? item.text : QString();
      y += WrappedText(&painter, item.font, &printer, text, page.left(), y, page.width());
      continue;
    }
    QWidget* w = PanelWidget(item.panel);
    if (!w || w->width() <= 0 || w->height() <= 0) continue;
    double room = page.height() - y;
    if (room <= 0) break;
    double fit = std::min(page.width() / w->width(), room / w->height());
    QRectF target(page.left(), y, w->width() * fit, w->height() * fit);
    double deviceDpi = printer.resolution();
    // Device pixels per screen pixel, kept at or below the finest image wanted.
    double scale = fit * std::min(1.0, kMaxImageDpi / deviceDpi);
    QImage image = RenderPanel(w, scale);
    image.setDevicePixelRatio(1.0);
    painter.drawImage(target, image);
    y += target.height();
  }
  return painter.end() ? 0 : -3;
}

}  // namespace

int NewReport() {
  static int next = 1;
  int handle = next++;
  Reports()[handle] = Report{};
  return handle;
}

int SetReportAttribute(int report, ReportAttr attr, const std::string& value) {
  Report* r = Find(report);
  int index = static_cast<int>(attr) - REPORT_ATTR_HEADER_LEFT;
  if (!r || index < 0 || index > 2) return -1;
  r->fields[index] = QString::fromStdString(value);
  return 0;
}

int SetReportTextAttribute(int report, ReportTextAttr attr, const std::string& value) {
  Report* r = Find(report);
  if (!r || attr != REPORT_TEXT_FONT_NAME) return -1;
  r->font.setFamily(QString::fromStdString(value));
  return 0;
}

int SetReportTextAttribute(int report, ReportTextAttr attr, double value) {
  Report* r = Find(report);
  if (!r) return -1;
  if (attr == REPORT_TEXT_POINT_SIZE && value > 0) {
    r->font.setPointSizeF(value);
  } else if (attr == REPORT_TEXT_COLOR) {
    r->color = QColor(QRgb(0xFF000000u | (static_cast<unsigned>(value) & 0xFFFFFF)));
  } else {
    return -1;
  }
  return 0;
}

int AppendReportLine(int report, const std::string& text) {
  Report* r = Find(report);
  if (!r) return -1;
  r->items.push_back({Item::Text, QString::fromStdString(text), r->font, r->color, 0});
  return 0;
}

int AppendReportNewLine(int report) {
  Report* r = Find(report);
  if (!r) return -1;
  r->items.push_back({Item::NewLine, QString(), r->font, r->color, 0});
  return 0;
}

int AppendReportPanelImage(int report, int panel, const std::string& caption) {
  Report* r = Find(report);
  if (!r || !PanelWidget(panel)) return -1;
  r->items.push_back({Item::Panel, QString::fromStdString(caption), r->font, r->color, panel});
  return 0;
}

int PrintReport(int report, const PrinterChoice& printer) {
  Report* r = Find(report);
  return r ? Print(*r, printer) : -1;
}

int DiscardReport(int report) {
  return Reports().erase(report) ? 0 : -1;
}

int PrintDialogPopup(PrinterChoice& choice) {
  return Dialogs().PrintSetup(choice);
}

}  // namespace ui
