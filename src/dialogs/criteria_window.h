// The read-only windows that show the criteria text of the selection in force
// (SelectionCriteriaWindow) or of the last Find (FindCriteriaWindow). One body, two uses.
#pragma once

#include <QDialog>
#include <QStringList>

class QPushButton;

namespace tessaran {

// The picture box the heading and the criteria text are printed on.
class CriteriaTextBox : public QWidget {
    Q_OBJECT
public:
    explicit CriteriaTextBox(QWidget* parent = nullptr);

    // The heading and the criteria text, one entry per printed line.
    void set_text(const QString& heading, const QStringList& lines);
    QString heading() const { return heading_; }
    QStringList lines() const { return lines_; }

    // Height in twips of the printed criteria text.
    double text_height_twips() const;
    // Width in twips that the heading and every line need.
    double text_width_twips() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString heading_;
    QStringList lines_;
};

class CriteriaWindow : public QDialog {
    Q_OBJECT
public:
    // The heading, printed in red above the text.
    QString heading() const { return pb_text->heading(); }
    // The criteria text as printed (trimmed; CR LF between lines).
    QString text() const { return pb_text->lines().join(QStringLiteral("\r\n")); }

public slots:
    void close_window();

protected:
    CriteriaWindow(const QString& title, const QString& heading, const QString& text, QWidget* parent);

private:
    CriteriaTextBox* pb_text = nullptr;
    QPushButton* cmd_close = nullptr;
};

// "Selection criteria": the selection in force ("All" when none).
class SelectionCriteriaWindow : public CriteriaWindow {
    Q_OBJECT
public:
    explicit SelectionCriteriaWindow(const QString& criteria, QWidget* parent = nullptr);
};

// "Find criteria": the criteria of the last Find.
class FindCriteriaWindow : public CriteriaWindow {
    Q_OBJECT
public:
    explicit FindCriteriaWindow(const QString& criteria, QWidget* parent = nullptr);
};

}  // namespace tessaran
