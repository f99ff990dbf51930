#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>
#include <map>
#include <vector>

namespace numora {

// Where a window is placed around the main strip when the strip is first shown: columns left
// to right just below the strip; a window of row 1 goes below the window of row 0 of its
// column. The last column of row 0 fills the rest of the screen.
struct WindowPlacement {
    int column = -1; // -1: the window keeps its own place
    int row = 0;
    bool fillsHeight = false;
};

// The long-lived windows of the program. Each feature folder registers its windows with their
// place in the order of creation; the program creates them all once, as children of the main
// window, and anyone asks for "the window of type T". A window enrols itself when it is built,
// so a test that builds one window alone finds it too.
class WindowRegistry {
public:
    using Factory = std::function<QWidget*(QWidget* mainWindow)>;

    using Placement = WindowPlacement;

    // order: the window's place in the order of creation (the main window is 1).
    void add(int order, Factory make, Placement placement = {});
    // Creates every registered window in order. Windows that exist already are not made again.
    void createAll(QWidget* mainWindow);

    template <class T> void enrol(T* window) { windows_[&T::staticMetaObject] = window; }
    template <class T> void forget(T* window) {
        auto it = windows_.find(&T::staticMetaObject);
        if (it != windows_.end() && it->second.data() == window) windows_.erase(it);
    }
    template <class T> T* find() const {
        auto it = windows_.find(&T::staticMetaObject);
        return it == windows_.end() ? nullptr : static_cast<T*>(it->second.data());
    }
    // The windows with a placement, in order of creation, with their placements.
    std::vector<std::pair<QWidget*, Placement>> placedWindows() const;

    // Deletes every enrolled window and forgets the registrations (tests start afresh with it).
    void reset();

private:
    struct Entry {
        int order;
        Factory make;
        Placement placement;
        QPointer<QWidget> made;
    };
    std::vector<Entry> entries_;
    std::map<const QMetaObject*, QPointer<QWidget>> windows_;
};

WindowRegistry& Windows();

} // namespace numora
