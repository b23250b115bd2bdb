#include "criteria_window.h"

#include "appearance/scheme_paint.h"
#include "ui/screen_placement.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>

#include <algorithm>

namespace tessaran {

namespace {

constexpr double heading_y = 100;  // twips from the top of the text box
constexpr double text_x = 50;
constexpr double text_y = 400;
constexpr double bottom_gap = 100;
constexpr double button_gap = 120;
constexpr double min_width = 4800;

// Leading and trailing blanks go, as when the text is printed; line breaks inside stay.
QString trimmed_blanks(const QString& text)
{
    int b = 0;
    int e = text.size();
    while (b < e && text.at(b).isSpace())
        ++b;
    while (e > b && text.at(e - 1).isSpace())
        --e;
    return text.mid(b, e - b);
}

}  // namespace

CriteriaTextBox::CriteriaTextBox(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("pb_text"));
}

void CriteriaTextBox::set_text(const QString& heading, const QStringList& lines)
{
    heading_ = heading;
    lines_ = lines;
    update();
}

double CriteriaTextBox::text_height_twips() const
{
    return px_to_twips(QFontMetrics(font()).lineSpacing() * int(lines_.size()));
}

double CriteriaTextBox::text_width_twips() const
{
    const QFontMetrics fm(font());
    int widest = fm.horizontalAdvance(heading_);
    for (const QString& line : lines_)
        widest = std::max(widest, fm.horizontalAdvance(line));
    return px_to_twips(widest);
}

void CriteriaTextBox::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QFontMetrics fm(font());
    p.setPen(QColor(255, 0, 0));
    const int hx = width() / 2 - fm.horizontalAdvance(heading_) / 2;
    p.drawText(hx, twips_to_px(heading_y) + fm.ascent(), heading_);
    p.setPen(QColor(0, 0, 0));
    int y = twips_to_px(text_y) + fm.ascent();
    for (const QString& line : lines_) {
        p.drawText(twips_to_px(text_x), y, line);
        y += fm.lineSpacing();
    }
}

CriteriaWindow::CriteriaWindow(const QString& title, const QString& heading, const QString& text, QWidget* parent)
    : QDialog(parent)
{
    setModal(true);
    setWindowTitle(title);

    pb_text = new CriteriaTextBox(this);
    pb_text->set_text(heading, trimmed_blanks(text).split(QRegularExpression(QStringLiteral("\r\n|\n|\r"))));

    // The box fits the text: 400 above it for the heading, 100 below.
    const double width = std::max(min_width, pb_text->text_width_twips() + 2 * text_x + 200);
    const double height = text_y + pb_text->text_height_twips() + bottom_gap;
    pb_text->setGeometry(twips_to_px(120), 0, twips_to_px(width), twips_to_px(height));

    cmd_close = new QPushButton(QStringLiteral("Close"), this);
    cmd_close->setObjectName(QStringLiteral("cmd_close"));
    cmd_close->resize(twips_to_px(1200), twips_to_px(420));
    const int bottom = pb_text->geometry().bottom() + 1;
    cmd_close->move(pb_text->x() + (pb_text->width() - cmd_close->width()) / 2, bottom + twips_to_px(button_gap));
    connect(cmd_close, &QPushButton::clicked, this, &CriteriaWindow::close_window);
    cmd_close->setDefault(true);

    setFixedSize(pb_text->width() + twips_to_px(240), cmd_close->geometry().bottom() + 1 + twips_to_px(button_gap));
    paint_dialog(this);
    cmd_close->setFocus();
}

void CriteriaWindow::close_window()
{
    accept();
}

SelectionCriteriaWindow::SelectionCriteriaWindow(const QString& criteria, QWidget* parent)
    : CriteriaWindow(QStringLiteral("Selection criteria"), QStringLiteral("SELECTION CRITERIA"), criteria, parent)
{
    setObjectName(QStringLiteral("frm_selcrit"));
}

FindCriteriaWindow::FindCriteriaWindow(const QString& criteria, QWidget* parent)
    : CriteriaWindow(QStringLiteral("Find criteria"), QStringLiteral("FIND CRITERIA"), criteria, parent)
{
    setObjectName(QStringLiteral("frm_findcrit"));
}

}  // namespace tessaran
