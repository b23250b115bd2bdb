#include "help_window.h"

#include "help.h"
#include "ui/accessible_names.h"
#include "ui/screen_placement.h"
#include "ui/user_dialogs.h"

#include <QAccessible>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QTextCursor>
#include <QUrl>
#include <QVBoxLayout>

#include <iterator>

namespace tessaran {

void HelpWindow::build_guide(const QString& path)
{
    text_ = new QTextBrowser(this);
    text_->setObjectName(QStringLiteral("help_text"));
    text_->setAccessibleName(QStringLiteral("User guide"));
    // Links within the guide stay here; a link to the web goes to the browser.
    text_->setOpenExternalLinks(true);
    // Read as a document: the arrow keys move a caret through the text (a
    // screen reader reads it line by line), Enter follows the link under the
    // caret, and Tab leaves the guide in one step instead of visiting every
    // link of it.
    text_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard
                                   | Qt::LinksAccessibleByMouse);
    text_->installEventFilter(this);
    connect(text_, &QTextBrowser::cursorPositionChanged, this, &HelpWindow::tell_link_at_caret);
    text_->setSearchPaths({QFileInfo(path).absolutePath()});
    text_->setSource(QUrl::fromLocalFile(path));
}

HelpWindow::HelpWindow(const QString& path, QWidget* parent) : QDialog(parent), path_(path)
{
    setObjectName(QStringLiteral("help_window"));
    setWindowTitle(QStringLiteral("TESSARAN V Help"));
    // A window of its own beside the one it was asked from, not a dialog over it.
    setWindowFlags(Qt::Window);
    setModal(false);

    build_guide(path);

    back_ = new QPushButton(QStringLiteral("&Back"), this);
    back_->setObjectName(QStringLiteral("help_back"));
    back_->setEnabled(false);
    auto* contents = new QPushButton(QStringLiteral("&Contents"), this);
    contents->setObjectName(QStringLiteral("help_contents"));
    auto* find_label = new QLabel(QStringLiteral("&Find:"), this);
    search_ = new QLineEdit(this);
    search_->setObjectName(QStringLiteral("help_search"));
    search_->setClearButtonEnabled(true);
    name_by_caption(find_label, search_);
    auto* next = new QPushButton(QStringLiteral("&Next"), this);
    next->setObjectName(QStringLiteral("help_next"));
    auto* previous = new QPushButton(QStringLiteral("&Previous"), this);
    previous->setObjectName(QStringLiteral("help_previous"));
    note_ = new QLabel(this);
    note_->setObjectName(QStringLiteral("help_note"));
    auto* browser = new QPushButton(QStringLiteral("Open in web &browser"), this);
    browser->setObjectName(QStringLiteral("help_browser"));
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("help_close"));
    for (QPushButton* b : {back_, contents, next, previous, browser, close})
        b->setAutoDefault(false);

    connect(back_, &QPushButton::clicked, text_, &QTextBrowser::backward);
    connect(text_, &QTextBrowser::backwardAvailable, back_, &QPushButton::setEnabled);
    connect(contents, &QPushButton::clicked, text_, &QTextBrowser::home);
    connect(search_, &QLineEdit::returnPressed, this, [this] { find(search_->text()); });
    connect(search_, &QLineEdit::textChanged, note_, &QLabel::clear);
    connect(next, &QPushButton::clicked, this, [this] { find(search_->text()); });
    connect(previous, &QPushButton::clicked, this, [this] { find(search_->text(), true); });
    connect(browser, &QPushButton::clicked, this, &HelpWindow::open_in_browser);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    auto* find_key = new QShortcut(QKeySequence::Find, this);
    connect(find_key, &QShortcut::activated, this, [this] {
        search_->setFocus();
        search_->selectAll();
    });
    auto* again = new QShortcut(QKeySequence::FindNext, this);
    connect(again, &QShortcut::activated, this, [this] { find(search_->text()); });

    auto* bar = new QHBoxLayout;
    bar->addWidget(back_);
    bar->addWidget(contents);
    bar->addSpacing(12);
    bar->addWidget(find_label);
    bar->addWidget(search_, 1);
    bar->addWidget(next);
    bar->addWidget(previous);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(note_, 1);
    bottom->addWidget(browser);
    bottom->addWidget(close);
    auto* all = new QVBoxLayout(this);
    all->addLayout(bar);
    all->addWidget(text_, 1);
    all->addLayout(bottom);

    // Tab follows the window from the top: the bar, the guide, the buttons below.
    QWidget* const order[] = {back_, contents, search_, next, previous, text_, browser, close};
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
    resize(fitted_to_screen(QSize(760, 640), this));
    search_->setFocus();
}

QString HelpWindow::link_at_caret() const
{
    const QTextCursor caret = text_->textCursor();
    QString href = caret.charFormat().anchorHref();
    if (href.isEmpty() && !caret.atEnd()) {
        // At the start of a link the caret stands before its first letter.
        QTextCursor after = caret;
        after.movePosition(QTextCursor::NextCharacter);
        href = after.charFormat().anchorHref();
    }
    return href;
}

void HelpWindow::tell_link_at_caret()
{
    const QString href = link_at_caret();
    const QString told = href.isEmpty() ? QString() : QStringLiteral("Link: press Enter to follow it.");
    if (text_->accessibleDescription() == told)
        return;
    text_->setAccessibleDescription(told);
    QAccessibleEvent changed(text_, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&changed);
}

bool HelpWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == text_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && !link_at_caret().isEmpty()) {
            const QUrl target = text_->source().resolved(QUrl(link_at_caret()));
            if (target.scheme() == QLatin1String("http") || target.scheme() == QLatin1String("https"))
                open_in_web_browser(target);
            else
                text_->setSource(target);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

QString HelpWindow::shown_source() const
{
    return text_->source().toString();
}

bool HelpWindow::find(const QString& text, bool backwards)
{
    if (text.trimmed().isEmpty())
        return false;
    const QTextDocument::FindFlags flags = backwards ? QTextDocument::FindBackward : QTextDocument::FindFlags();
    if (text_->find(text, flags)) {
        note_->clear();
        return true;
    }
    // Round again from the other end before saying it is not there.
    QTextCursor cursor = text_->textCursor();
    cursor.movePosition(backwards ? QTextCursor::End : QTextCursor::Start);
    text_->setTextCursor(cursor);
    if (text_->find(text, flags)) {
        note_->setText(backwards ? QStringLiteral("Went on from the end of the guide.")
                                 : QStringLiteral("Went on from the start of the guide."));
        return true;
    }
    note_->setText(QStringLiteral("\"%1\" is not in the guide.").arg(text));
    return false;
}

void HelpWindow::open_in_browser()
{
    if (!open_in_web_browser(QUrl::fromLocalFile(path_)))
        msgbox(this,
               QStringLiteral("No web browser could be started to show ") + QDir::toNativeSeparators(path_)
                   + QStringLiteral(". The guide stays open in this window."),
               MsgIcon::exclamation);
}

}  // namespace tessaran
