#include "named_tab_bar.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <QTabBar>

#include <memory>
#include <vector>

namespace tessaran {

namespace {

class TabListAccessible;

// One tab: a page tab named by its text, selected while it is the current
// one, chosen by its press action.
class TabAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    TabAccessible(QTabBar* bar, QAccessibleInterface* list, int index) : bar_(bar), list_(list), index_(index) { }

    bool isValid() const override { return bar_ && index_ < bar_->count(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return list_->window(); }
    QAccessibleInterface* parent() const override { return list_; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override
    {
        if (!isValid())
            return QString();
        if (t == QAccessible::Name) {
            QString name = bar_->tabText(index_);
            return name.remove(QLatin1Char('&'));
        }
        return t == QAccessible::Description ? bar_->tabToolTip(index_) : QString();
    }
    void setText(QAccessible::Text, const QString&) override { }
    QRect rect() const override
    {
        if (!isValid())
            return QRect();
        const QRect r = bar_->tabRect(index_);
        return QRect(bar_->mapToGlobal(r.topLeft()), r.size());
    }
    QAccessible::Role role() const override { return QAccessible::PageTab; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.selectable = true;
        s.focusable = true;
        if (isValid()) {
            s.selected = bar_->currentIndex() == index_;
            s.focused = s.selected && bar_->hasFocus();
            s.invisible = !bar_->isTabVisible(index_);
            s.disabled = !bar_->isTabEnabled(index_);
        }
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType t) override
    {
        return t == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override
    {
        if (action == pressAction() && isValid())
            bar_->setCurrentIndex(index_);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QPointer<QTabBar> bar_;
    QAccessibleInterface* list_;
    int index_;
};

class TabListAccessible : public QAccessibleWidget {
public:
    explicit TabListAccessible(QTabBar* bar) : QAccessibleWidget(bar, QAccessible::PageTabList) { }
    ~TabListAccessible() override
    {
        for (QAccessibleInterface* tab : tabs_)
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(tab));
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return widget()->accessibleName();
        return QAccessibleWidget::text(t);
    }
    int childCount() const override { return bar()->count(); }
    QAccessibleInterface* child(int index) const override
    {
        if (index < 0 || index >= bar()->count())
            return nullptr;
        while (int(tabs_.size()) <= index) {
            auto* tab = new TabAccessible(bar(), const_cast<TabListAccessible*>(this), int(tabs_.size()));
            QAccessible::registerAccessibleInterface(tab);
            tabs_.push_back(tab);
        }
        return tabs_.at(std::size_t(index));
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        for (std::size_t i = 0; i < tabs_.size(); ++i) {
            if (tabs_[i] == child)
                return int(i);
        }
        return -1;
    }

private:
    QTabBar* bar() const { return static_cast<QTabBar*>(widget()); }
    mutable std::vector<QAccessibleInterface*> tabs_;
};

QAccessibleInterface* named_tab_bars(const QString& key, QObject* object)
{
    auto* bar = key == QLatin1String("QTabBar") ? qobject_cast<QTabBar*>(object) : nullptr;
    if (!bar || !bar->property("named_tab_bar").toBool())
        return nullptr;
    return new TabListAccessible(bar);
}

}  // namespace

void name_tab_bar(QTabBar* bar, const QString& name)
{
    static const bool installed = [] {
        QAccessible::installFactory(named_tab_bars);
        return true;
    }();
    Q_UNUSED(installed);
    bar->setProperty("named_tab_bar", true);
    bar->setAccessibleName(name);
}

}  // namespace tessaran
