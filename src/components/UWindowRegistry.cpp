#include "components/UWindowRegistry.h"

#include <algorithm>

namespace numora {

void WindowRegistry::add(int order, Factory make, Placement placement) {
    entries_.push_back({order, std::move(make), placement, nullptr});
    std::stable_sort(entries_.begin(), entries_.end(),
                     [](const Entry& a, const Entry& b) { return a.order < b.order; });
}

void WindowRegistry::createAll(QWidget* mainWindow) {
    for (Entry& e : entries_)
        if (!e.made) e.made = e.make(mainWindow);
}

std::vector<std::pair<QWidget*, WindowRegistry::Placement>> WindowRegistry::placedWindows() const {
    std::vector<std::pair<QWidget*, Placement>> out;
    for (const Entry& e : entries_)
        if (e.made && e.placement.column >= 0) out.emplace_back(e.made.data(), e.placement);
    return out;
}

void WindowRegistry::reset() {
    std::vector<QPointer<QWidget>> doomed;
    for (auto& [meta, w] : windows_) doomed.push_back(w);
    windows_.clear();
    entries_.clear();
    // A window deleted with its parent has already cleared its pointer.
    for (auto& w : doomed) delete w.data();
}

WindowRegistry& Windows() {
    static WindowRegistry registry;
    return registry;
}

} // namespace numora
