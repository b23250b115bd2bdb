#include "limited_text_edit.h"

#include "core/field_text.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextCursor>
#include <QTextDocumentFragment>

namespace tessaran {

LimitedTextEdit::LimitedTextEdit(int limit, QWidget* parent) : QPlainTextEdit(parent), limit_(limit)
{ }

int LimitedTextEdit::room() const
{
    const QString selected = textCursor().selection().toPlainText();
    return limit_ - stored_length(toPlainText(), line_break_) + stored_length(selected, line_break_);
}

QString LimitedTextEdit::fitting(const QString& text) const
{
    const int free = room();
    int used = 0;
    qsizetype n = 0;
    for (; n < text.size(); ++n) {
        const QChar c = text.at(n);
        // A CR LF arriving from outside is one line break in the field.
        if (c == QLatin1Char('\r') && n + 1 < text.size() && text.at(n + 1) == QLatin1Char('\n'))
            continue;
        const int cost = (c == QLatin1Char('\n') || c == QLatin1Char('\r')) ? int(line_break_.size()) : 1;
        if (used + cost > free)
            break;
        used += cost;
    }
    return text.left(n);
}

void LimitedTextEdit::keyPressEvent(QKeyEvent* event)
{
    const QString typed = event->text();
    const bool inserts = !typed.isEmpty() && (typed.at(0).isPrint() || typed.at(0) == QLatin1Char('\r'))
        && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (inserts && fitting(typed).size() < typed.size()) {
        QApplication::beep();
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void LimitedTextEdit::insertFromMimeData(const QMimeData* source)
{
    if (!source || !source->hasText())
        return;
    const QString text = source->text();
    const QString part = fitting(text);
    if (part.size() < text.size())
        QApplication::beep();
    if (!part.isEmpty() || textCursor().hasSelection())
        insertPlainText(part);
}

void LimitedTextEdit::inputMethodEvent(QInputMethodEvent* event)
{
    const QString commit = event->commitString();
    if (!commit.isEmpty()) {
        const QString part = fitting(commit);
        if (part.size() < commit.size()) {
            QApplication::beep();
            event->setCommitString(part, event->replacementStart(), event->replacementLength());
        }
    }
    QPlainTextEdit::inputMethodEvent(event);
}

}  // namespace tessaran
