#include "shell/ui/ToolbarIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace shell::ui {

namespace {

constexpr int kSize = 48;  // drawn large, shown at 24: crisp on high-density screens too

const QColor kInk(40, 52, 72);
const QColor kPaper(250, 250, 245);
const QColor kBlue(52, 101, 164);
const QColor kGreen(78, 154, 6);
const QColor kRed(204, 0, 0);
const QColor kYellow(237, 212, 0);
const QColor kAqua(0, 170, 190);

void Page(QPainter& p, QRectF r) {
    p.setBrush(kPaper);
    p.drawRect(r);
}

void Lines(QPainter& p, qreal left, qreal top, qreal width, int count, qreal step) {
    for (int i = 0; i < count; ++i)
        p.drawLine(QPointF(left, top + i * step), QPointF(left + width, top + i * step));
}

void DrawCompanies(QPainter& p) {
    p.setBrush(kBlue.lighter(130));
    p.drawRect(QRectF(8, 14, 20, 28));
    p.setBrush(kBlue);
    p.drawRect(QRectF(26, 6, 16, 36));
    p.setBrush(kPaper);
    for (int row = 0; row < 4; ++row) {
        p.drawRect(QRectF(30, 11 + row * 7, 3, 4));
        p.drawRect(QRectF(36, 11 + row * 7, 3, 4));
        if (row < 3) p.drawRect(QRectF(13, 19 + row * 7, 10, 3));
    }
}

void DrawKey(QPainter& p) {
    p.setBrush(kYellow);
    p.drawEllipse(QRectF(6, 14, 18, 18));
    p.drawRect(QRectF(22, 20, 20, 6));
    p.drawRect(QRectF(34, 26, 4, 7));
    p.drawRect(QRectF(28, 26, 4, 5));
    p.setBrush(kPaper);
    p.drawEllipse(QRectF(11, 19, 7, 7));
}

void DrawCalendar(QPainter& p) {
    Page(p, QRectF(7, 9, 34, 32));
    p.setBrush(kRed);
    p.drawRect(QRectF(7, 9, 34, 9));
    p.setBrush(kInk);
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 4; ++col) p.drawRect(QRectF(11 + col * 7.5, 22 + row * 6, 4, 3));
}

void DrawCalculator(QPainter& p) {
    p.setBrush(QColor(85, 87, 83));
    p.drawRoundedRect(QRectF(10, 5, 28, 38), 3, 3);
    p.setBrush(QColor(200, 230, 200));
    p.drawRect(QRectF(14, 9, 20, 8));
    p.setBrush(kPaper);
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 3; ++col) p.drawRect(QRectF(14 + col * 7, 21 + row * 5.5, 5, 3.5));
}

void DrawPercent(QPainter& p) {
    Page(p, QRectF(9, 5, 30, 38));
    QFont font("Liberation Sans");
    font.setPixelSize(24);
    font.setBold(true);
    p.setFont(font);
    p.setPen(kGreen.darker(120));
    p.drawText(QRectF(9, 5, 30, 38), Qt::AlignCenter, "%");
}

void DrawLabel(QPainter& p) {
    QPainterPath tag;
    tag.moveTo(6, 16);
    tag.lineTo(30, 16);
    tag.lineTo(42, 24);
    tag.lineTo(30, 32);
    tag.lineTo(6, 32);
    tag.closeSubpath();
    p.setBrush(kYellow);
    p.drawPath(tag);
    p.setBrush(kPaper);
    p.drawEllipse(QRectF(31, 22, 4, 4));
    Lines(p, 10, 21, 16, 3, 4);
}

void DrawRepeat(QPainter& p) {
    QPen pen(kGreen, 4);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(10, 10, 28, 28), 30 * 16, 150 * 16);
    p.drawArc(QRectF(10, 10, 28, 28), 210 * 16, 150 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    p.drawPolygon(QPolygonF({QPointF(30, 6), QPointF(40, 14), QPointF(28, 18)}));
    p.drawPolygon(QPolygonF({QPointF(18, 42), QPointF(8, 34), QPointF(20, 30)}));
}

void DrawChart(QPainter& p) {
    const QColor colours[] = {kAqua, QColor(0, 220, 0), kYellow, kRed};
    const qreal heights[] = {30, 22, 14, 9};
    for (int i = 0; i < 4; ++i) {
        p.setBrush(colours[i]);
        p.drawRect(QRectF(7 + i * 9, 42 - heights[i], 7, heights[i]));
    }
}

void DrawBackup(QPainter& p) {
    p.setBrush(kBlue);
    p.drawRoundedRect(QRectF(8, 8, 32, 32), 3, 3);
    p.setBrush(kPaper);
    p.drawRect(QRectF(14, 8, 20, 12));
    p.setBrush(QColor(186, 189, 182));
    p.drawRect(QRectF(13, 27, 22, 13));
    p.setBrush(kInk);
    p.drawRect(QRectF(28, 10, 4, 8));
}

void DrawHelp(QPainter& p) {
    p.setBrush(kBlue);
    p.drawEllipse(QRectF(6, 6, 36, 36));
    QFont font("Liberation Sans");
    font.setPixelSize(28);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(6, 6, 36, 36), Qt::AlignCenter, "?");
}

void DrawPrinter(QPainter& p) {
    Page(p, QRectF(14, 5, 20, 14));
    p.setBrush(QColor(136, 138, 133));
    p.drawRoundedRect(QRectF(5, 17, 38, 17), 3, 3);
    Page(p, QRectF(13, 28, 22, 15));
    Lines(p, 16, 33, 16, 3, 3.5);
    p.setBrush(kGreen);
    p.drawEllipse(QRectF(36, 21, 4, 4));
}

void DrawClose(QPainter& p) {
    p.setBrush(QColor(150, 100, 60));
    p.drawRect(QRectF(12, 6, 24, 38));
    p.setBrush(QColor(196, 160, 0));
    p.drawEllipse(QRectF(29, 24, 4, 4));
    QPen pen(kRed, 4);
    p.setPen(pen);
    p.drawLine(QPointF(36, 8), QPointF(46, 18));
    p.drawLine(QPointF(46, 8), QPointF(36, 18));
}

void DrawLetter(QPainter& p) {
    Page(p, QRectF(9, 4, 30, 40));
    Lines(p, 13, 11, 22, 7, 4.5);
    p.setPen(QPen(kBlue, 3));
    p.drawLine(QPointF(26, 40), QPointF(42, 24));
}

void DrawEnvelope(QPainter& p) {
    Page(p, QRectF(5, 12, 38, 26));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({QPointF(5, 12), QPointF(24, 28), QPointF(43, 12)}));
}

void DrawHome(QPainter& p) {
    p.setBrush(kRed);
    p.drawPolygon(QPolygonF({QPointF(4, 24), QPointF(24, 6), QPointF(44, 24)}));
    p.setBrush(kPaper);
    p.drawRect(QRectF(10, 24, 28, 18));
    p.setBrush(QColor(150, 100, 60));
    p.drawRect(QRectF(20, 30, 8, 12));
}

void DrawCustomers(QPainter& p) {
    p.setBrush(kBlue.lighter(140));
    p.drawEllipse(QRectF(26, 8, 14, 14));
    p.drawRoundedRect(QRectF(22, 24, 22, 18), 8, 8);
    p.setBrush(kBlue);
    p.drawEllipse(QRectF(10, 10, 16, 16));
    p.drawRoundedRect(QRectF(5, 28, 26, 16), 8, 8);
}

void DrawProducts(QPainter& p) {
    p.setBrush(QColor(193, 125, 17));
    p.drawPolygon(QPolygonF({QPointF(6, 16), QPointF(24, 8), QPointF(42, 16), QPointF(24, 24)}));
    p.setBrush(QColor(233, 185, 110));
    p.drawPolygon(QPolygonF({QPointF(6, 16), QPointF(24, 24), QPointF(24, 44), QPointF(6, 36)}));
    p.setBrush(QColor(143, 89, 2));
    p.drawPolygon(QPolygonF({QPointF(42, 16), QPointF(24, 24), QPointF(24, 44), QPointF(42, 36)}));
}

void DrawInvoices(QPainter& p) {
    Page(p, QRectF(10, 4, 28, 40));
    p.setBrush(kBlue);
    p.drawRect(QRectF(14, 8, 14, 5));
    Lines(p, 14, 19, 20, 4, 5);
    p.setPen(QPen(kInk, 2));
    p.drawLine(QPointF(24, 39), QPointF(34, 39));
}

void DrawPayments(QPainter& p) {
    p.setBrush(kGreen.lighter(150));
    p.drawRect(QRectF(4, 10, 32, 18));
    p.setBrush(kYellow);
    p.drawEllipse(QRectF(22, 20, 22, 22));
    QFont font("Liberation Sans");
    font.setPixelSize(16);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(143, 89, 2));
    p.drawText(QRectF(22, 20, 22, 22), Qt::AlignCenter, "$");
}

void DrawReports(QPainter& p) {
    Page(p, QRectF(8, 4, 32, 40));
    p.setBrush(kBlue);
    const qreal heights[] = {10, 18, 14, 24};
    for (int i = 0; i < 4; ++i) p.drawRect(QRectF(12 + i * 6.5, 38 - heights[i], 5, heights[i]));
}

}  // namespace

QIcon ToolbarIcon(Command command) {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kInk, 1.5));
    switch (command) {
        case Command::CustomerManager:
            DrawCustomers(p);
            break;
        case Command::ProductManager:
            DrawProducts(p);
            break;
        case Command::InvoiceManager:
            DrawInvoices(p);
            break;
        case Command::PaymentWizard:
            DrawPayments(p);
            break;
        case Command::ReportWizard:
            DrawReports(p);
            break;
        case Command::CompanyManager:
            DrawCompanies(p);
            break;
        case Command::PasswordSetup:
            DrawKey(p);
            break;
        case Command::ViewCalendar:
            DrawCalendar(p);
            break;
        case Command::Calculator:
            DrawCalculator(p);
            break;
        case Command::InterestWizard:
            DrawPercent(p);
            break;
        case Command::LabelWizard:
            DrawLabel(p);
            break;
        case Command::RepeatBillingWizard:
            DrawRepeat(p);
            break;
        case Command::AgingChart:
            DrawChart(p);
            break;
        case Command::BackupDataFiles:
            DrawBackup(p);
            break;
        case Command::HelpTopics:
            DrawHelp(p);
            break;
        case Command::PrinterSetup:
            DrawPrinter(p);
            break;
        case Command::Exit:
            DrawClose(p);
            break;
        case Command::FormLetterWizard:
            DrawLetter(p);
            break;
        case Command::SendEMailMessage:
            DrawEnvelope(p);
            break;
        case Command::HomePage:
            DrawHome(p);
            break;
        default:
            return QIcon();
    }
    p.end();
    return QIcon(pixmap);
}

}  // namespace shell::ui
