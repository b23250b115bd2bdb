// A multi-line field that holds at most a record member's width of text: the
// keystrokes and the pasted or dropped surplus that would pass the width are
// refused, and text already in the field is never cut.
#pragma once

#include <QPlainTextEdit>
#include <QString>

namespace tessaran {

class LimitedTextEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    LimitedTextEdit(int limit, QWidget* parent);

    // The line break a save will write for this field: a CR LF counts two
    // bytes against the limit, a lone LF one.
    void set_line_break(const QString& line_break) { line_break_ = line_break; }
    const QString& line_break() const { return line_break_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    // Bytes still free once the selection (which typing replaces) is gone.
    int room() const;
    // The longest start of text that fits in room().
    QString fitting(const QString& text) const;

    int limit_;
    QString line_break_ = QStringLiteral("\r\n");
};

}  // namespace tessaran
