// The editor's Select, Sort and Find: the working set rebuilt from the
// selection criteria (asked for, or given) in the remembered order, ordered by
// a field, and searched for the next record meeting the find criteria; and the
// windows that show the criteria in force.
#pragma once

#include <QObject>

class QWidget;

namespace tessaran {

struct Criteria;
class Session;
enum class SortField;

enum class SelectOutcome {
    cancelled,  // the dialog was cancelled: nothing changed
    all,        // every record (Select all)
    selected,   // the working set now holds the matching records
    no_match,   // nothing matched; the user has been told
    failed      // the database could not be read; the user has been told
};

enum class FindMode {
    ask_criteria,  // Find: asks for criteria, starts at position 1
    next           // Find next: starts after the position last shown
};

class RecordSearch : public QObject {
    Q_OBJECT
public:
    // What a search needs of the editor that owns it.
    class Host {
    public:
        // Shows position p of the working set; false after telling the user why not.
        virtual bool show_position(int p) = 0;
        // The adding state of an empty collection.
        virtual void start_empty() = 0;
        virtual void refresh_caption() = 0;

    protected:
        ~Host() = default;
    };

    // Searches session, the editor's, whose window is window.
    RecordSearch(Session& session, Host& host, QWidget* window);

    // Rebuilds the working set from the selection criteria, asking for them
    // first when ask; applies the remembered sort and shows position 1.
    SelectOutcome select(bool ask);
    // Narrows the working set to the records meeting c, without asking.
    SelectOutcome select_by(const Criteria& c);
    // Every record, in the remembered order, position 1 shown (or the adding
    // state when the collection is empty).
    void select_all();
    // Asks for a field and a direction and sorts by them.
    void sort();
    // Orders the working set by field and shows position 1; false
    // after telling the user why not.
    bool sort_by(SortField field, bool descending);
    // Re-applies the remembered sort, if any; a failure leaves the order as it is.
    void apply_remembered_sort();
    // Find asks for criteria and finds the first record meeting them; Find
    // next goes on after the last one shown or searched.
    void find(FindMode mode);
    void find_by(const Criteria& c);
    // A position was shown: Find next starts after it.
    void note_shown(int p) { find_position_ = p; }
    // The criteria in force, in their windows; the find criteria only once a
    // Find has set them (when asked from the menu, the user hears why not).
    void show_selection_criteria();
    void show_find_criteria(bool say_when_none);

private:
    void show_everything();
    // Tests the records from position start on; at the end, Find says so and
    // Find next offers to start again.
    void search_from(int start, FindMode mode);

    Session& session_;
    Host& host_;
    QWidget* window_;
    int find_position_ = 0;  // the position Find next starts after
};

}  // namespace tessaran
